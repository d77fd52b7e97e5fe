// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QValidator>

namespace movrand::mainwindow {

// The new-name box of the "Car Folders" page takes what its key filter lets through, however
// the text arrives: a pasted or dropped text keeps only the characters a typed key could have
// put there.
class FolderNameFilter : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace movrand::mainwindow
