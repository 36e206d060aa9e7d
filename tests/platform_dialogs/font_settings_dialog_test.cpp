// The shared font dialog over Ravelog's five font files: sizes typed or picked, faces and colours
// from the (answered) system choosers, "標準例", OK writing all five files, Cancel writing none,
// and the refusals of a size out of range and a face the files cannot hold.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <deque>

#include "common/font_settings.h"
#include "platform/codec.h"
#include "platform/font_settings_dialog.h"
#include "platform/qt_test_application.h"
#include "temp_folder.h"

namespace rave::platform {
namespace {

namespace fs = std::filesystem;
using rave::testing::TempFolder;

// The system choosers answered from queues; an empty queue cancels.
class AnsweredFontDialog : public FontSettingsDialog {
public:
    using FontSettingsDialog::FontSettingsDialog;
    std::deque<QFont> fonts;
    std::deque<QColor> colours;

protected:
    std::optional<QFont> ChooseSystemFont(const QFont&, const QString&) override {
        if (fonts.empty()) {
            return std::nullopt;
        }
        QFont font = fonts.front();
        fonts.pop_front();
        return font;
    }
    std::optional<QColor> ChooseSystemColour(const QColor&, const QString&) override {
        if (colours.empty()) {
            return std::nullopt;
        }
        QColor colour = colours.front();
        colours.pop_front();
        return colour;
    }
};

std::string Bytes(const char* utf8) {
    return Utf8ToCp932(utf8).value();
}

class FontDialogTest : public ::testing::Test {
protected:
    FontDialogTest() {
        testing::TestApplication();
        // Font 1 as a user left it, fonts 2..5 as shipped.
        folder.Write("Font1.ndx", "14.0\r\n" + Bytes("ＭＳ 明朝") + "\r\n255\r\n0\r\n");
        for (int n = 2; n <= kRavelogFontCount; ++n) {
            WriteFontFile(folder.path() / RavelogFontFileName(n), DefaultRavelogFont(n));
        }
        RecordingMessageSink ignored;
        fonts = LoadFonts(folder.path(), ignored);
        before = AllFiles();
    }

    std::string AllFiles() const {
        std::string all;
        for (int n = 1; n <= kRavelogFontCount; ++n) {
            all += TempFolder::Read(folder.path() / RavelogFontFileName(n)) + "|";
        }
        return all;
    }
    std::string File(int n) const { return TempFolder::Read(folder.path() / RavelogFontFileName(n)); }

    static void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(which), Qt::LeftButton);
    }
    static void TypeSize(FontSettingsDialog& dialog, int n, const QString& text) {
        QLineEdit* edit = dialog.SizeBox(n)->lineEdit();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    TempFolder folder;
    RavelogFonts fonts{};
    std::string before;
    RecordingMessageSink messages;
};

TEST_F(FontDialogTest, ShowsEveryFontWithItsButtonSizeAndUse) {
    RavelogFontBinding binding(fonts, folder.path());
    AnsweredFontDialog dialog(binding, messages);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("フォント"));
    EXPECT_EQ(dialog.FontButton(1)->text(), QStringLiteral("　タイトル"));
    EXPECT_EQ(dialog.FontButton(5)->text(), QStringLiteral("　ページ"));
    EXPECT_EQ(dialog.FaceLabel(1)->text(), QStringLiteral("ＭＳ 明朝"));
    // " %2d     (%.1f)": 14 points are 4.9 mm.
    EXPECT_EQ(dialog.SizeBox(1)->currentText(), QStringLiteral(" 14     (4.9)"));
    EXPECT_EQ(dialog.SizeBox(2)->currentText(), QStringLiteral("  9     (3.2)"));
    EXPECT_EQ(dialog.ColourButton(1)->text(), QStringLiteral("■"));
    EXPECT_FALSE(dialog.SizeBox(3)->accessibleName().isEmpty());
    EXPECT_FALSE(dialog.ColourButton(3)->accessibleName().isEmpty());
}

TEST_F(FontDialogTest, OkWritesAllFiveFilesWithWhatWasChosen) {
    RavelogFontBinding binding(fonts, folder.path());
    AnsweredFontDialog dialog(binding, messages);
    dialog.show();
    // Font 2: size typed; font 3: picked from the list; font 4: a face from the font chooser;
    // font 5: red from the colour chooser.
    TypeSize(dialog, 2, QStringLiteral("10.5"));
    QComboBox* size3 = dialog.SizeBox(3);
    size3->setCurrentIndex(size3->findData(12));
    dialog.fonts.push_back(QFont(QStringLiteral("IPAex明朝"), 16));
    QTest::mouseClick(dialog.FontButton(4), Qt::LeftButton);
    dialog.colours.push_back(QColor(255, 0, 0));
    QTest::mouseClick(dialog.ColourButton(5), Qt::LeftButton);
    Press(dialog, QDialogButtonBox::Ok);

    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.Saved());
    EXPECT_TRUE(messages.shown.empty());
    const std::string mincho = Bytes("ＭＳ 明朝");
    EXPECT_EQ(File(1), "14.0\r\n" + mincho + "\r\n255\r\n0\r\n");
    EXPECT_EQ(File(2), "10.5\r\n" + mincho + "\r\n0\r\n0\r\n");
    EXPECT_EQ(File(3), "12.0\r\n" + mincho + "\r\n0\r\n0\r\n");
    EXPECT_EQ(File(4), "16.0\r\n" + Bytes("IPAex明朝") + "\r\n0\r\n0\r\n");
    EXPECT_EQ(File(5), "9.0\r\n" + mincho + "\r\n255\r\n0\r\n");
}

TEST_F(FontDialogTest, StandardExampleRestoresTheDefaults) {
    RavelogFontBinding binding(fonts, folder.path());
    AnsweredFontDialog dialog(binding, messages);
    dialog.show();
    QTest::mouseClick(dialog.StandardButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.SizeBox(1)->currentText(), QStringLiteral(" 11     (3.9)"));
    Press(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(File(1), "11.0\r\n" + Bytes("ＭＳ 明朝") + "\r\n0\r\n0\r\n");
}

TEST_F(FontDialogTest, CancelWritesNothing) {
    RavelogFontBinding binding(fonts, folder.path());
    AnsweredFontDialog dialog(binding, messages);
    dialog.show();
    TypeSize(dialog, 1, QStringLiteral("20"));
    dialog.colours.push_back(QColor(0, 0, 255));
    QTest::mouseClick(dialog.ColourButton(2), Qt::LeftButton);
    QTest::mouseClick(dialog.StandardButton(), Qt::LeftButton);
    Press(dialog, QDialogButtonBox::Cancel);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(AllFiles(), before);
}

TEST_F(FontDialogTest, RefusesSizesOutOfRangeAndFacesTheFilesCannotHold) {
    RavelogFontBinding binding(fonts, folder.path());
    AnsweredFontDialog dialog(binding, messages);
    dialog.show();

    for (const QString& typed : {QStringLiteral("250"), QStringLiteral("1"), QStringLiteral("abc")}) {
        messages.shown.clear();
        TypeSize(dialog, 1, typed);
        Press(dialog, QDialogButtonBox::Ok);
        ASSERT_EQ(messages.shown.size(), 1u) << typed.toStdString();
        EXPECT_EQ(Cp932ToUtf8(messages.shown[0].text),
                  "文字サイズは 1 より大きく 200 ポイント以下にしてください");
        EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
        EXPECT_EQ(dialog.SizeBox(1)->currentText(), QStringLiteral(" 14     (4.9)"));
    }

    messages.shown.clear();
    dialog.fonts.push_back(QFont(QStringLiteral("Noto 😀 Sans"), 12));
    QTest::mouseClick(dialog.FontButton(2), Qt::LeftButton);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(Cp932ToUtf8(messages.shown[0].text), "書体名にファイルへ保存できない文字が含まれています");
    EXPECT_EQ(dialog.FaceLabel(2)->text(), QStringLiteral("ＭＳ 明朝"));
    EXPECT_EQ(AllFiles(), before);
}

TEST_F(FontDialogTest, FilesThatCannotBeWrittenKeepTheChoiceInMemory) {
    const fs::path missing = folder.path() / "no-such-folder";
    RavelogFontBinding binding(fonts, missing);
    AnsweredFontDialog dialog(binding, messages);
    dialog.show();
    TypeSize(dialog, 2, QStringLiteral("12"));
    Press(dialog, QDialogButtonBox::Ok);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(dialog.Saved());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].argument, missing.string());
    EXPECT_DOUBLE_EQ(binding.Fonts()[1].size, 12.0);
}

}  // namespace
}  // namespace rave::platform
