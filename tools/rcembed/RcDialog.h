// The DIALOG statement of the resource script: a classic dialog template with its styles, caption,
// font and the text, edit and push-button controls.
#pragma once

#include <string>

#include "tools/rcembed/RcScript.h"
#include "tools/rcembed/RcTokenizer.h"

namespace veskar::rcembed {

// Parses the rest of a DIALOG statement whose number is `number` and adds the dialog to `script`.
// Styles are numbers or the desktop API's names joined by '|' (NOT clears a control's default).
// On failure returns false with `error` naming the line.
[[nodiscard]] bool parseDialog(Tokenizer& tokens, const Token& number, RcScript& script, std::string& error);

}  // namespace veskar::rcembed
