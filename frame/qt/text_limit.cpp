#include "text_limit.h"

#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QToolTip>
#include <QValidator>
#include <limits>
#include <memory>

#include "pasting.h"
#include "project.h"

namespace forms::detail {

namespace {

void showTooLongNotice(QLineEdit& field) {
    QToolTip::showText(field.mapToGlobal(QPoint(0, field.height())),
                       QString::fromUtf8(TextTooLongNotice.data(), static_cast<qsizetype>(TextTooLongNotice.size())),
                       &field);
}

// Whether `inserted` characters replacing the selection fit the field; if not, says so at it.
bool fitsOrSaysSo(QLineEdit& field, qsizetype inserted) {
    const auto selected = static_cast<std::size_t>(field.selectedText().size());
    if (fitsTextBox(static_cast<std::size_t>(field.text().size()), selected, static_cast<std::size_t>(inserted))) {
        return true;
    }
    showTooLongNotice(field);
    return false;
}

// The field's own maximum length would cut a long paste silently; a validator instead sees the
// whole text an edit would give and lets the field undo that edit entirely. Only the length is
// checked, so each keystroke costs the same however full the field is. Pastes are decided
// before this (PasteFirst); the validator catches whatever else inserts text.
class LengthLimit final : public QValidator {
public:
    explicit LengthLimit(QLineEdit& field) : QValidator(&field), field_(field) {}

    State validate(QString& text, int&) const override {
        if (text.size() <= MaxTextBoxLength) return Acceptable;
        showTooLongNotice(field_);
        return Invalid;
    }

private:
    QLineEdit& field_;
};

// Takes every way of pasting into the field and inserts the pasted line only when it fits. The
// field itself would insert first and undo afterwards, keeping an undo step per character.
class PasteFirst final : public QObject {
public:
    explicit PasteFirst(QLineEdit& field) : QObject(&field), field_(field) {}

    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (!static_cast<QKeyEvent*>(event)->matches(QKeySequence::Paste)) return false;
            paste(QClipboard::Clipboard);
            return true;
        case QEvent::MouseButtonRelease: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() != Qt::MiddleButton || !QGuiApplication::clipboard()->supportsSelection()) return false;
            field_.setCursorPosition(field_.cursorPositionAt(mouse->position().toPoint()));
            paste(QClipboard::Selection);
            return true;
        }
        case QEvent::ContextMenu: {
            // The field's own menu, its Paste taking the same way as the keys.
            std::unique_ptr<QMenu> menu(field_.createStandardContextMenu());
            for (QAction* action : menu->actions()) {
                if (action->objectName() != QStringLiteral("edit-paste")) continue;
                action->disconnect();
                connect(action, &QAction::triggered, this, [this] { paste(QClipboard::Clipboard); });
            }
            menu->exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            if (!drop->mimeData()->hasText() || fitsOrSaysSo(field_, drop->mimeData()->text().size())) return false;
            drop->setDropAction(Qt::IgnoreAction);
            drop->accept();
            return true;
        }
        default: return false;
        }
    }

private:
    void paste(QClipboard::Mode mode) {
        if (field_.isReadOnly()) return;
        const QString text = QGuiApplication::clipboard()->text(mode);
        const std::u16string_view units(reinterpret_cast<const char16_t*>(text.utf16()),
                                        static_cast<std::size_t>(text.size()));
        const std::u16string_view line = pastedLine(units);
        if (line.empty() || !fitsOrSaysSo(field_, static_cast<qsizetype>(line.size()))) return;
        field_.insert(QString::fromUtf16(line.data(), static_cast<qsizetype>(line.size())));
    }

    QLineEdit& field_;
};

}  // namespace

void limitTextLength(QLineEdit& field) {
    field.setMaxLength(std::numeric_limits<int>::max());
    field.setValidator(new LengthLimit(field));
    field.installEventFilter(new PasteFirst(field));
}

}  // namespace forms::detail
