// SPDX-License-Identifier: LicenseRef-Mervak
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

#include <functional>

namespace Mervak {

// Dialog types, button indexes and results keep the numbering the callers were written
// against (types 0-4; buttons by index; results OK 1 ... No 7).
enum MsgDlgType { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

enum MsgDlgBtn {
    mbYes = 0, mbNo = 1, mbOK = 2, mbCancel = 3, mbAbort = 4, mbRetry = 5, mbIgnore = 6,
    mbAll = 7, mbNoToAll = 8, mbYesToAll = 9, mbHelp = 10, mbClose = 11
};
using MsgDlgButtons = unsigned;   // bit set: 1u << MsgDlgBtn
constexpr MsgDlgButtons buttonBit(MsgDlgBtn b) { return 1u << unsigned(b); }
inline constexpr MsgDlgButtons mbOKOnly = 1u << mbOK;
inline constexpr MsgDlgButtons mbYesNo = (1u << mbYes) | (1u << mbNo);

enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                   mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10, mrClose = 11,
                   mrHelp = 12 };

// What a message dialog showed; handed to the test hook instead of a person.
struct ShownMessage
{
    QString text;
    MsgDlgType type = mtWarning;
    MsgDlgButtons buttons = mbOKOnly;
    MsgDlgBtn defaultButton = mbOK;
    QString caption;           // "Uyarı", "Hata", "Bilgi", "Soru", or the application title
    QStringList buttonCaptions; // in tab order, the default first
};

/*!
    Shows a modal message and returns the modal result of the pressed button. Every message
    of the program goes through here. Callable from any thread: from a worker it runs the
    dialog on the user-interface thread and waits for it.
*/
int ShowMessageDialog(const QString &text, MsgDlgType type, MsgDlgButtons buttons,
                      MsgDlgBtn defaultButton);

// Plain message box with the application title as caption and one OK button.
void ShowPlainMessage(const QString &text);

// The window dialogs centre over; none (during the login) centres them on the screen.
void setMessageDialogOwner(QWidget *mainWindow);
// Point size of the message font; the main window sets 15 at start, 0 keeps the default.
void setMessageFontPointSize(int pointSize);

using MessageDialogHook = std::function<int(const ShownMessage &)>;
// Tests answer dialogs through this hook (called on the user-interface thread); pass an
// empty function to show real dialogs again.
void setMessageDialogHook(MessageDialogHook hook);

} // namespace Mervak
