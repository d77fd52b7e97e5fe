// SPDX-License-Identifier: GPL-3.0-or-later
// The main window over a fake C: drive, found and driven by its controls' names.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "TempDrive.h"
#include "mainwindow/MainWindowControls.h"
#include "mainwindow/ui/frmMovrand.h"
#include "platform/SettingsKeys.h"
#include "ui/ModalDriver.h"

namespace movrand::test {

inline std::string Text(const QString& s) {
    return s.toStdString();
}

// The main window's controls by name: Find("cmd", cmd::kSaveCarNumber) is the control "cmd(6)".
using namespace mainwindow::controls;

class WindowFixture : public ::testing::Test {
  protected:
    // Opens the window as the program does and lets it paint, after which it makes its other
    // pages on its own.
    void Open(platform::Ui* ui = nullptr) {
        window = std::make_unique<mainwindow::frmMovrand>(drive.Pv, ui ? *ui : drive.Ui);
        window->Form_Load();
        window->show();
        for (int turn = 0; turn < 50 && !window->FullyBuilt(); ++turn)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        ASSERT_TRUE(window->FullyBuilt());
    }
    template <typename T = QWidget>
    T* Find(const char* name) {
        T* control = window->findChild<T*>(name);
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    template <typename T = QWidget>
    T* Find(const char* kind, int index) {
        return Find<T>(qPrintable(Named(kind, index)));
    }
    QComboBox* Combo(int index) { return Find<QComboBox>("cbo", index); }
    // The user picks an entry of a drop-down list.
    void Choose(int list, const QString& text) {
        const int index = Combo(list)->findText(text);
        ASSERT_GE(index, 0) << Text(text);
        Combo(list)->setCurrentIndex(index);
        emit Combo(list)->activated(index);
    }
    std::string Stored(const std::string& key) {
        return drive.Pv.Env.Settings.Get(platform::kSettingsApp, platform::kMovrandSection, key);
    }

    // A scripted Ui that first runs `onMessage`, to see the window as the user sees it behind
    // a message.
    struct LookingUi : ScriptedUi {
        std::function<void()> onMessage;
        void ShowMessage(const std::string& text, int width, int height) override {
            if (onMessage) onMessage();
            ScriptedUi::ShowMessage(text, width, height);
        }
    };

    TempDrive drive;
    std::unique_ptr<mainwindow::frmMovrand> window;
};

}  // namespace movrand::test
