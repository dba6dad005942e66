// The message and input boxes on Qt. A message box's caption and text, and an input box's
// caption and prompt, are copied by Ctrl+C on every platform.
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "form_window.h"
#include "text_limit.h"

namespace forms::detail {

namespace {

void copyToClipboard(const QString& caption, const QString& text) {
    const std::string copied = copiedDialogText(caption.toStdString(), text.toStdString(), "\n");
    QApplication::clipboard()->setText(toQString(copied));
}

// What a title bar shows beside its caption: the window icon and the close, maximise and
// minimise buttons, with their spacing.
constexpr int TitleBarDecoration = 160;

// A message box whose caption and text Ctrl+C copies on every platform.
class MessageDialog final : public QMessageBox {
public:
    MessageDialog(QWidget* parent, DialogKind kind, const QString& caption, const QString& prompt)
        : QMessageBox(parent) {
        setWindowTitle(caption);
        setTextFormat(Qt::PlainText);
        setText(prompt);
        setIcon(kind == DialogKind::Error ? QMessageBox::Critical : QMessageBox::NoIcon);
        QPushButton* ok = addButton(toQString(OkCaption), QMessageBox::AcceptRole);
        setDefaultButton(ok);
        setEscapeButton(ok);
        makeRoomForCaption();
    }

    // The box sizes itself to its text, and the title bar would cut a caption wider than that
    // ("результат 3" under "triexpr"): a strut in the last row keeps the box at least as wide as
    // the caption in the title font, beside the title bar's icon and buttons.
    void makeRoomForCaption() {
        auto* grid = qobject_cast<QGridLayout*>(layout());
        if (!grid) return;
        const QFontMetrics title(QFontDatabase::systemFont(QFontDatabase::TitleFont));
        const int width = title.horizontalAdvance(windowTitle()) + TitleBarDecoration;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                      grid->columnCount());
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Copy)) {
            copyToClipboard(windowTitle(), text());
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
};

// The input box: prompt, one empty line, OK (the default button) and Cancel.
class InputDialog final : public QDialog {
public:
    InputDialog(QWidget* parent, const QString& caption, const QString& prompt) : QDialog(parent) {
        setWindowTitle(caption);
        prompt_ = new QLabel(prompt, this);
        prompt_->setTextFormat(Qt::PlainText);
        prompt_->setWordWrap(true);
        field_ = new QLineEdit(this);
        limitTextLength(*field_);
        field_->installEventFilter(this);
        // Screen readers announce the field by its prompt.
        field_->setAccessibleName(prompt);
        prompt_->setBuddy(field_);
        auto* buttons = new QDialogButtonBox(this);
        QPushButton* ok = buttons->addButton(toQString(OkCaption), QDialogButtonBox::AcceptRole);
        buttons->addButton(toQString(CancelCaption), QDialogButtonBox::RejectRole);
        ok->setDefault(true);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(prompt_);
        layout->addWidget(field_);
        layout->addWidget(buttons);
        setMinimumWidth(360);
        field_->setFocus();
    }

    QString answer() const { return field_->text(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // With nothing selected, Ctrl+C copies the box itself, as in a message box.
        if (watched == field_ && event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy) && !field_->hasSelectedText()) {
            copyToClipboard(windowTitle(), prompt_->text());
            return true;
        }
        return QDialog::eventFilter(watched, event);
    }

private:
    QLabel* prompt_;
    QLineEdit* field_;
};

}  // namespace

void FormWindow::showMessageBox(DialogKind kind, std::string_view caption, std::string_view prompt) {
    MessageDialog dialog(this, kind, toQString(caption), toQString(prompt));
    dialog.exec();
}

std::optional<std::string> FormWindow::showInputBox(std::string_view caption, std::string_view prompt) {
    InputDialog dialog(this, toQString(caption), toQString(prompt));
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.answer().toStdString();
}

}  // namespace forms::detail
