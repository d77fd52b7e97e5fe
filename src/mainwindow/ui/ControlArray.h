// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <functional>
#include <map>
#include <utility>

namespace movrand::mainwindow {

// One kind of control of a window as an indexed array, as the window's handlers address them:
// cmd(7) is the command button with index 7, which the window's code calls by its name
// (cmd::kSaveGplDirectory, mainwindow/MainWindowControls.h). The window owns the controls (Qt
// parents); the array only finds them. A window that makes some of its controls later (pages not
// yet shown) tells the array how to make them: an index it does not have yet first has the window
// make the rest of its controls. An index the window does not have at all gives nullptr.
template <typename T>
class ControlArray {
  public:
    T* operator()(int index) const {
        auto it = items_.find(index);
        if (it == items_.end() && makeRest_) {
            makeRest_();
            it = items_.find(index);
        }
        return it == items_.end() ? nullptr : it->second;
    }
    void Set(int index, T* control) { items_[index] = control; }
    void OnMissing(std::function<void()> makeRest) { makeRest_ = std::move(makeRest); }

  private:
    std::map<int, T*> items_;
    std::function<void()> makeRest_;
};

}  // namespace movrand::mainwindow
