// The length limit of a one-line text field: an edit (typing, pasting, dropping) that would make
// the text longer than MaxTextBoxLength is refused whole, and a short notice shows at the field.
// A paste (keys, context menu, middle button) takes the first line of the pasted text that is
// not empty and is decided before anything is inserted, so refusing even megabytes costs no more
// than the text itself.
#pragma once

class QLineEdit;

namespace forms::detail {

void limitTextLength(QLineEdit& field);

}  // namespace forms::detail
