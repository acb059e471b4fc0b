#include "platform/ui/Dialogs.h"

#include <QApplication>
#include <QClipboard>
#include <QInputDialog>
#include <QMessageBox>

namespace Dialogs {
namespace {
Responder& TheResponder()
{
    static Responder responder;
    return responder;
}

QString Title(const std::string& caption)
{
    return caption.empty() ? QApplication::applicationName() : QString::fromStdString(caption);
}

// A message box with one OK button: a plain message or an error.
void Tell(Kind kind, const std::string& text)
{
    if (TheResponder()) {
        TheResponder()(Request{kind, {}, text, {}});
        return;
    }
    if (kind == Kind::Error)
        QMessageBox::critical(QApplication::activeWindow(), Title({}), QString::fromStdString(text));
    else
        QMessageBox::information(QApplication::activeWindow(), Title({}), QString::fromStdString(text));
}
} // namespace

void SetResponder(Responder responder) { TheResponder() = std::move(responder); }

void ShowMessage(const std::string& text) { Tell(Kind::Message, text); }

void ShowError(const std::string& text) { Tell(Kind::Error, text); }

void ShowMessageBox(const std::string& caption, const std::string& text)
{
    if (TheResponder()) {
        TheResponder()(Request{Kind::Message, caption, text, {}});
        return;
    }
    QMessageBox::warning(nullptr, Title(caption), QString::fromStdString(text));
}

bool Confirm(const std::string& caption, const std::string& text)
{
    if (TheResponder())
        return TheResponder()(Request{Kind::Confirm, caption, text, {}}).accepted;
    return QMessageBox::question(QApplication::activeWindow(), Title(caption), QString::fromStdString(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value)
{
    if (TheResponder()) {
        const Answer a = TheResponder()(Request{Kind::Input, caption, prompt, value});
        if (a.accepted)
            value = a.value;
        return a.accepted;
    }
    bool ok = false;
    const QString text = QInputDialog::getText(QApplication::activeWindow(), Title(caption), QString::fromStdString(prompt),
                                               QLineEdit::Normal, QString::fromStdString(value), &ok);
    if (ok)
        value = text.toStdString();
    return ok;
}

void SetClipboardText(const std::string& text) { QApplication::clipboard()->setText(QString::fromStdString(text)); }

std::string ClipboardText() { return QApplication::clipboard()->text().toStdString(); }

} // namespace Dialogs
