// What every program shows the desktop: captions that fit their controls in the one default
// font, accessible names, the window icon and the version record.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <cstdlib>
#include <vector>

#include "all_programs.h"
#include "qt/form_window.h"
#include "qt/open_window.h"
#include "version.h"

namespace {

std::vector<const forms::Project*> allProjects() {
    return {std::begin(forms::allPrograms), std::end(forms::allPrograms)};
}

QString qString(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The room the style gives a control's text when it draws it: beside an option button's mark,
// inside a button's frame, a label's whole box.
int roomForText(QWidget& control) {
    QStyleOptionButton option;
    option.initFrom(&control);
    if (qobject_cast<QRadioButton*>(&control)) {
        return control.style()->subElementRect(QStyle::SE_RadioButtonContents, &option, &control).width();
    }
    if (qobject_cast<QPushButton*>(&control)) {
        return control.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &control).width();
    }
    return control.contentsRect().width();
}

// Run with the default font hidden from the machine (FORMS_TEST_FONT_HIDDEN set, see
// tests/CMakeLists.txt): the windows then use the fallback font, at a size where captions fit.
TEST(Desktop, FallbackFontWhenTheDefaultOneIsMissing) {
    if (!std::getenv("FORMS_TEST_FONT_HIDDEN")) GTEST_SKIP() << "runs with the default font hidden";
    const QFont wanted = forms::detail::defaultFont();
    ASSERT_NE(QFontInfo(wanted).family(), wanted.family()) << "the default font is not hidden";
    for (const forms::Project* project : allProjects()) {
        const forms::testing::OpenWindow window(*project);
        const QFont font = window.window()->font();
        EXPECT_GE(font.pointSizeF(), forms::detail::WindowFontHalfPoints.smallest / 2.0) << project->title;
        EXPECT_LE(font.pointSizeF(), wanted.pointSizeF()) << project->title;
    }
}

TEST(Desktop, EveryCaptionFitsItsControlOnOneLine) {
    for (const forms::Project* project : allProjects()) {
        const forms::testing::OpenWindow window(*project);
        for (const forms::ControlDescription& described : project->window.controls) {
            if (described.caption.empty()) continue;
            QWidget* control = window.control(described.name);
            const QFontMetrics metrics(control->font());
            const QString caption = qString(described.caption);
            EXPECT_LE(metrics.horizontalAdvance(caption), roomForText(*control))
                << project->title << " " << described.name << " \"" << described.caption << "\"";
            EXPECT_LE(metrics.height(), control->height()) << project->title << " " << described.name;
        }
    }
}

TEST(Desktop, TextBoxesAreNamedByTheLabelOverThem) {
    const std::vector<std::pair<std::string_view, std::vector<std::pair<const char*, const char*>>>> expected = {
        {"sumdiff", {{"Text1", "A"}, {"Text2", "B"}, {"Text3", "C"}}},
        {"trisum", {{"Text1", "Введите значение N"}, {"Text2", "Результат"}}},
        {"strjoin", {{"Text1", "первая объединяемая строка"}, {"Text3", "результат объединения"}}},
        {"condsum", {{"Text1", "A"}, {"Text2", "B"}, {"Text3", "C"}}},
    };
    for (const forms::Project* project : allProjects()) {
        const forms::testing::OpenWindow window(*project);
        for (const auto& [title, names] : expected) {
            if (title != project->title) continue;
            for (const auto& [control, name] : names) {
                EXPECT_EQ(window.control(control)->accessibleName(), QString::fromUtf8(name)) << title << " " << control;
            }
        }
        for (const forms::ControlDescription& described : project->window.controls) {
            QWidget* control = window.control(described.name);
            EXPECT_FALSE(control->accessibleName().isEmpty()) << project->title << " " << described.name;
        }
    }
}

TEST(Desktop, EveryWindowShowsTheIconAtThreeSizes) {
    for (const forms::Project* project : allProjects()) {
        const forms::testing::OpenWindow window(*project);
        const QList<QSize> sizes = window.window()->windowIcon().availableSizes();
        EXPECT_EQ(sizes, (QList<QSize>{{16, 16}, {32, 32}, {48, 48}})) << project->title;
    }
}

TEST(Desktop, EveryProgramCarriesItsVersionRecord) {
    for (const forms::Project* project : allProjects()) {
        ASSERT_NE(project->version, nullptr) << project->title;
        const forms::VersionRecord& record = *project->version;
        EXPECT_EQ(record.productName, project->title);
        EXPECT_EQ(record.internalName, project->title);
        EXPECT_EQ(record.originalFilename, std::string(project->title) + ".exe");
        EXPECT_EQ(record.fileVersion, "1.0.0.0");
        EXPECT_EQ(record.productVersionText, "1.00");
        EXPECT_EQ(record.stringTable, "040904B0");
    }
}

TEST(Desktop, ResourceScriptHoldsTheVersionRecordAndIcon) {
    const std::string script = forms::versionResourceScript(*allProjects().front()->version, "window.ico");
    const std::string name(allProjects().front()->title);
    for (const std::string line : {"1 ICON \"window.ico\"", "FILEVERSION 1,0,0,0", "PRODUCTVERSION 1,0,0,0",
                                   "BLOCK \"040904B0\"", "VALUE \"FileVersion\", \"1.00\"",
                                   "VALUE \"ProductVersion\", \"1.00\"", "VALUE \"Translation\", 0x0409, 1200"}) {
        EXPECT_NE(script.find(line), std::string::npos) << line << "\n" << script;
    }
    EXPECT_NE(script.find("VALUE \"OriginalFilename\", \"" + name + ".exe\""), std::string::npos) << script;
    EXPECT_NE(script.find("VALUE \"InternalName\", \"" + name + "\""), std::string::npos) << script;
}

}  // namespace
