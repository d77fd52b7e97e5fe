#pragma once
#include <map>

namespace movrand::mainwindow {

// One kind of control of a window as an indexed array, as the window's handlers address them:
// cmd(7) is the command button with index 7. The window owns the controls (Qt parents); the
// array only finds them. An index the window does not have gives nullptr.
template <typename T>
class ControlArray {
  public:
    T* operator()(int index) const {
        const auto it = items_.find(index);
        return it == items_.end() ? nullptr : it->second;
    }
    void Set(int index, T* control) { items_[index] = control; }
    const std::map<int, T*>& All() const { return items_; }

  private:
    std::map<int, T*> items_;
};

}  // namespace movrand::mainwindow
