// SPDX-License-Identifier: LicenseRef-Mervak
#include "messagedialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QMutex>
#include <QPushButton>
#include <QPointer>
#include <QScreen>
#include <QThread>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace Mervak {

namespace {

struct ButtonInfo { MsgDlgBtn button; QMessageBox::StandardButton standard; const char *caption; };

// The Turkish captions by button; All and Close keep the platform's own.
const ButtonInfo kButtons[] = {
    {mbYes, QMessageBox::Yes, "Evet"},
    {mbNo, QMessageBox::No, "Hayır"},
    {mbOK, QMessageBox::Ok, "Tamam"},
    {mbCancel, QMessageBox::Cancel, "Vazgeç"},
    {mbAbort, QMessageBox::Abort, "İptal"},
    {mbRetry, QMessageBox::Retry, "Tekrar"},
    {mbIgnore, QMessageBox::Ignore, "Atla"},
    {mbAll, QMessageBox::YesToAll, nullptr},   // no plain "All" in Qt; mapped below
    {mbNoToAll, QMessageBox::NoToAll, "Tümüne Hayır"},
    {mbYesToAll, QMessageBox::YesToAll, "Tümüne Evet"},
    {mbHelp, QMessageBox::Help, "Yardım"},
    {mbClose, QMessageBox::Close, nullptr},
};

int resultOf(MsgDlgBtn b)
{
    switch (b) {
    case mbYes: return mrYes;
    case mbNo: return mrNo;
    case mbOK: return mrOk;
    case mbCancel: return mrCancel;
    case mbAbort: return mrAbort;
    case mbRetry: return mrRetry;
    case mbIgnore: return mrIgnore;
    case mbAll: return mrAll;
    case mbNoToAll: return mrNoToAll;
    case mbYesToAll: return mrYesToAll;
    case mbHelp: return mrHelp;
    case mbClose: return mrClose;
    }
    return mrNone;
}

QString captionOf(MsgDlgType type)
{
    switch (type) {
    case mtWarning: return QStringLiteral("Uyarı");
    case mtError: return QStringLiteral("Hata");
    case mtInformation: return QStringLiteral("Bilgi");
    case mtConfirmation: return QStringLiteral("Soru");
    case mtCustom: break;
    }
    return QApplication::applicationDisplayName();
}

QString buttonCaption(MsgDlgBtn b)
{
    if (b == mbAll)
        return QStringLiteral("All");
    if (b == mbClose)
        return QStringLiteral("Close");
    for (const ButtonInfo &info : kButtons) {
        if (info.button == b)
            return QString::fromUtf8(info.caption);
    }
    return {};
}

void beep(MsgDlgType type)
{
#ifdef Q_OS_WIN
    switch (type) {
    case mtWarning: MessageBeep(MB_ICONEXCLAMATION); break;
    case mtError: MessageBeep(MB_ICONHAND); break;
    case mtInformation: MessageBeep(MB_ICONASTERISK); break;
    case mtConfirmation: MessageBeep(MB_ICONQUESTION); break;
    case mtCustom: break;
    }
#else
    // One system bell for every typed dialog; a custom one is silent.
    if (type != mtCustom)
        QApplication::beep();
#endif
}

QMutex g_mutex;
MessageDialogHook g_hook;
QPointer<QWidget> g_owner;
int g_fontPointSize = 0;

MessageDialogHook currentHook()
{
    QMutexLocker lock(&g_mutex);
    return g_hook;
}

ShownMessage describe(const QString &text, MsgDlgType type, MsgDlgButtons buttons,
                      MsgDlgBtn defaultButton, const QString &caption)
{
    ShownMessage shown;
    shown.text = text;
    shown.type = type;
    shown.buttons = buttons;
    shown.defaultButton = defaultButton;
    shown.caption = caption;
    if (buttons & buttonBit(defaultButton))
        shown.buttonCaptions << buttonCaption(defaultButton);
    for (int i = 0; i <= int(mbClose); ++i) {
        const auto b = MsgDlgBtn(i);
        if ((buttons & buttonBit(b)) && b != defaultButton)
            shown.buttonCaptions << buttonCaption(b);
    }
    return shown;
}

int runDialog(const ShownMessage &shown)
{
    if (MessageDialogHook hook = currentHook())
        return hook(shown);

    QWidget *owner = g_owner.data();
    QMessageBox box(owner);
    box.setWindowTitle(shown.caption);
    box.setText(shown.text);
    switch (shown.type) {
    case mtWarning: box.setIcon(QMessageBox::Warning); break;
    case mtError: box.setIcon(QMessageBox::Critical); break;
    case mtInformation: box.setIcon(QMessageBox::Information); break;
    case mtConfirmation: box.setIcon(QMessageBox::Question); break;
    case mtCustom: box.setIcon(QMessageBox::NoIcon); break;
    }
    if (g_fontPointSize > 0) {
        QFont f = box.font();
        f.setPointSize(g_fontPointSize);
        box.setFont(f);
    }
    QHash<QAbstractButton *, MsgDlgBtn> byButton;
    QAbstractButton *defaultWidget = nullptr;
    for (int i = 0; i <= int(mbClose); ++i) {
        const auto b = MsgDlgBtn(i);
        if (!(shown.buttons & buttonBit(b)))
            continue;
        QAbstractButton *w = nullptr;
        if (b == mbAll)
            w = box.addButton(buttonCaption(b), QMessageBox::AcceptRole);
        else {
            for (const ButtonInfo &info : kButtons) {
                if (info.button == b) {
                    w = box.addButton(info.standard);
                    if (info.caption)
                        w->setText(QString::fromUtf8(info.caption));
                }
            }
        }
        if (!w)
            continue;
        byButton.insert(w, b);
        if (b == shown.defaultButton)
            defaultWidget = w;
    }
    if (auto *push = qobject_cast<QPushButton *>(defaultWidget)) {
        box.setDefaultButton(push);
        push->setFocus();
    }
    beep(shown.type);
    if (!owner) {
        box.adjustSize();
        if (QScreen *screen = QGuiApplication::primaryScreen())
            box.move(screen->availableGeometry().center() - box.rect().center());
    }
    box.exec();
    QAbstractButton *clicked = box.clickedButton();
    if (!clicked || !byButton.contains(clicked))
        return shown.buttons & buttonBit(mbCancel) ? mrCancel : mrNone;
    return resultOf(byButton.value(clicked));
}

int showOnUiThread(const ShownMessage &shown)
{
    QCoreApplication *app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread())
        return runDialog(shown);
    // A worker waits here until the user has answered on the user-interface thread.
    int result = mrNone;
    QMetaObject::invokeMethod(app, [&] { result = runDialog(shown); },
                              Qt::BlockingQueuedConnection);
    return result;
}

} // namespace

int ShowMessageDialog(const QString &text, MsgDlgType type, MsgDlgButtons buttons,
                      MsgDlgBtn defaultButton)
{
    return showOnUiThread(describe(text, type, buttons, defaultButton, captionOf(type)));
}

void ShowPlainMessage(const QString &text)
{
    showOnUiThread(describe(text, mtCustom, mbOKOnly, mbOK,
                            QApplication::applicationDisplayName()));
}

void setMessageDialogHook(MessageDialogHook hook)
{
    QMutexLocker lock(&g_mutex);
    g_hook = std::move(hook);
}

void setMessageDialogOwner(QWidget *mainWindow)
{
    g_owner = mainWindow;
}

void setMessageFontPointSize(int pointSize)
{
    g_fontPointSize = pointSize;
}

} // namespace Mervak
