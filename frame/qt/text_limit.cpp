#include "text_limit.h"

#include <QLineEdit>
#include <QToolTip>
#include <QValidator>
#include <limits>

#include "project.h"

namespace forms::detail {

namespace {

// The field's own maximum length would cut a long paste silently; a validator instead sees the
// whole text an edit would give and lets the field undo that edit entirely. Only the length is
// checked, so each keystroke costs the same however full the field is.
class LengthLimit final : public QValidator {
public:
    explicit LengthLimit(QLineEdit& field) : QValidator(&field), field_(field) {}

    State validate(QString& text, int&) const override {
        if (text.size() <= MaxTextBoxLength) return Acceptable;
        QToolTip::showText(field_.mapToGlobal(QPoint(0, field_.height())),
                           QString::fromUtf8(TextTooLongNotice.data(), static_cast<qsizetype>(TextTooLongNotice.size())),
                           &field_);
        return Invalid;
    }

private:
    QLineEdit& field_;
};

}  // namespace

void limitTextLength(QLineEdit& field) {
    field.setMaxLength(std::numeric_limits<int>::max());
    field.setValidator(new LengthLimit(field));
}

}  // namespace forms::detail
