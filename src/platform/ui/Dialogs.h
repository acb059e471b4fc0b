#pragma once
#include <functional>
#include <string>

// Message boxes, the Yes/No confirmation, the single-line input box and the
// clipboard; every text is UTF-8. Tests install a responder that records
// each call and answers it instead of blocking in a modal dialog.
namespace Dialogs {

enum class Kind { Message, Confirm, Input, Error };

struct Request {
    Kind kind;
    std::string caption;
    std::string text;
    std::string value; // the input box's initial value
};

struct Answer {
    bool accepted = true;  // OK / Yes
    std::string value;     // the input box's text
};

void ShowMessage(const std::string& text);
void ShowError(const std::string& text); // the default error report's box
void ShowMessageBox(const std::string& caption, const std::string& text); // no owner window, OK only
bool Confirm(const std::string& caption, const std::string& text);                  // Yes gives true
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
void SetClipboardText(const std::string& text);
std::string ClipboardText();

using Responder = std::function<Answer(const Request&)>;
void SetResponder(Responder responder); // empty: real dialogs again

} // namespace Dialogs
