// The sumdiff window written directly on Qt Widgets, without the frame: the yardstick that the
// start-up and footprint benchmark (bench/startup) measures the frame's programs against.
// Same size, controls, positions, font, focus and behaviour on a click; nothing more.
#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QWidget>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace {

// Twips to pixels at the screen's logical resolution, as the frame does.
int pixels(int twips) {
    const double dotsPerInch = QGuiApplication::primaryScreen()->logicalDotsPerInchX();
    return static_cast<int>(std::lround(twips * dotsPerInch / 1440.0));
}

void place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
}

QLabel* label(QWidget* window, const char* caption, int left, int top, int width, int height) {
    auto* label = new QLabel(QString::fromUtf8(caption), window);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    place(label, left, top, width, height);
    label->lower();
    return label;
}

double number(const QLineEdit* box) {
    std::string text = box->text().toStdString();
    for (char& c : text) {
        if (c == ',') c = '.';
    }
    return std::strtod(text.c_str(), nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Form1"));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    window.setFont(font);
    window.resize(pixels(7560), pixels(4755));

    auto* command1 = new QPushButton(QString::fromUtf8("вычислить"), &window);
    command1->setAutoDefault(false);
    place(command1, 4680, 1440, 1815, 495);
    auto* option2 = new QRadioButton(QString::fromUtf8("Разность"), &window);
    place(option2, 2640, 2040, 1335, 615);
    auto* option1 = new QRadioButton(QString::fromUtf8("Сумма"), &window);
    place(option1, 600, 2040, 1215, 615);
    auto* text3 = new QLineEdit(&window);
    place(text3, 5280, 480, 1695, 285);
    auto* text2 = new QLineEdit(&window);
    place(text2, 3000, 480, 1695, 285);
    auto* text1 = new QLineEdit(&window);
    place(text1, 600, 480, 1455, 285);
    label(&window, "C", 5520, 120, 1215, 375);
    label(&window, "B", 3240, 120, 1215, 375);
    label(&window, "A", 840, 120, 975, 255);

    QWidget::setTabOrder(text1, text2);
    QWidget::setTabOrder(text2, text3);
    QWidget::setTabOrder(text3, option1);
    QWidget::setTabOrder(option1, option2);
    QWidget::setTabOrder(option2, command1);

    QObject::connect(text1, &QLineEdit::returnPressed, text2, [text2] { text2->setFocus(); });
    QObject::connect(command1, &QPushButton::clicked, &window, [=] {
        const double a = number(text1);
        const double b = number(text2);
        const auto c = static_cast<float>(option1->isChecked() ? a + b : a - b);
        char shown[32];
        const auto end = std::to_chars(shown, shown + sizeof shown, c).ptr;
        text3->setText(QString::fromLatin1(shown, end - shown));
    });

    window.show();
    window.activateWindow();
    text1->setFocus();
    return QApplication::exec();
}
