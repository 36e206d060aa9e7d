// Message boxes show the message text in UTF-8 with the path put in, and yes/no questions answer
// with the button the user pressed.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "modal_dialogs.h"
#include "platform/codec.h"
#include "platform/message_box.h"

namespace rave::platform {
namespace {

QApplication& Application() {
    static int argc = 1;
    static char name[] = "test_platform";
    static char* argv[] = {name, nullptr};
    static QApplication* app =
        qobject_cast<QApplication*>(QCoreApplication::instance()) ? nullptr : new QApplication(argc, argv);
    return app ? *app : *qobject_cast<QApplication*>(QCoreApplication::instance());
}

struct SeenBox {
    QString title;
    QString text;
};

// When the box opens, notes what it shows and presses `button`.
[[nodiscard]] rave::testing::ModalAnswer AnswerNextBox(SeenBox& seen, QMessageBox::StandardButton button) {
    return rave::testing::WhenModalOpens<QMessageBox>([&seen, button](QMessageBox& box) {
        seen.title = box.windowTitle();
        seen.text = box.text();
        box.button(button)->click();
    });
}

Message Cp932Message(const char* utf8, std::string argument) {
    return Message{32790, Utf8ToCp932(utf8).value(), std::move(argument)};
}

TEST(MessageBoxSink, ShowsTheTextWithThePathInTheProgramsTitle) {
    Application();
    MessageBoxSink sink(nullptr, QStringLiteral("Ravesect"));
    SeenBox seen;
    const auto answer = AnswerNextBox(seen, QMessageBox::Ok);
    sink.Show(Cp932Message("ファイルが見つかりません\n( %1 )", "/home/u/Kelvard/Sver5/Sys.ndx"));
    EXPECT_EQ(seen.title, QStringLiteral("Ravesect"));
    EXPECT_EQ(seen.text, QStringLiteral("ファイルが見つかりません\n( /home/u/Kelvard/Sver5/Sys.ndx )"));
}

TEST(MessageBoxSink, QuestionsAnswerWithTheButtonPressed) {
    Application();
    MessageBoxSink sink;
    SeenBox seen;
    const auto no = AnswerNextBox(seen, QMessageBox::No);
    EXPECT_FALSE(sink.AskYesNo(Cp932Message("保存しますか?", "")));
    EXPECT_EQ(seen.title, QStringLiteral("Ravelog"));
    const auto yes = AnswerNextBox(seen, QMessageBox::Yes);
    EXPECT_TRUE(sink.AskYesNo(Cp932Message("保存しますか?", "")));
}

}  // namespace
}  // namespace rave::platform
