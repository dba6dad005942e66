// The length limit of a one-line text field: an edit (typing, pasting, dropping) that would make
// the text longer than MaxTextBoxLength is refused whole, and a short notice shows at the field.
#pragma once

class QLineEdit;

namespace forms::detail {

void limitTextLength(QLineEdit& field);

}  // namespace forms::detail
