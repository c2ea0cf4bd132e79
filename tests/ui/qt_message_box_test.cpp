#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "dialog_driver.h"
#include "ui/qt_desktop.h"

namespace trawlex::ui {
namespace {

using runtime::Buttons;
using runtime::Icon;
using runtime::Message;

Message Custom(const char* buttons, int defaultButton = 1) {
  Message message;
  message.text = "The file name entered already exists.||Results.TXT";
  message.caption = "File Exists";
  message.icon = Icon::Warning;
  message.buttons = buttons;
  message.defaultButton = defaultButton;
  return message;
}

Message Standard(Buttons set, int defaultButton) {
  Message message;
  message.text = "Question";
  message.standard = set;
  message.defaultButton = defaultButton;
  return message;
}

struct Seen {
  QString text;
  QString title;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  Qt::TextFormat format = Qt::AutoText;
  QStringList buttons;
};

// Shows the message, records what the box showed, and answers it with `press`.
int Show(const Message& message, std::function<void(QMessageBox&)> press, Seen* seen = nullptr) {
  test::DialogDriver driver;
  driver.WhenModal<QMessageBox>([&](QMessageBox& box) {
    if (seen != nullptr) {
      *seen = {box.text(), box.windowTitle(), box.icon(), box.textFormat(), {}};
      for (QAbstractButton* button : box.buttons()) seen->buttons << button->text();
    }
    press(box);
  });
  QtDesktop desktop;
  const int answer = desktop.ShowMessage(message);
  EXPECT_TRUE(driver.AllActed());
  return answer;
}

std::function<void(QMessageBox&)> Key(Qt::Key key) {
  return [key](QMessageBox& box) { QTest::keyClick(&box, key); };
}

std::function<void(QMessageBox&)> Click(QString caption) {
  return [caption](QMessageBox& box) {
    for (QAbstractButton* button : box.buttons()) {
      if (button->text() == caption) return button->click();
    }
    ADD_FAILURE() << "no button " << caption.toStdString();
    box.reject();
  };
}

std::function<void(QMessageBox&)> Click(QMessageBox::StandardButton which) {
  return [which](QMessageBox& box) { box.button(which)->click(); };
}

TEST(QtMessageBox, ShowsTextCaptionIconAndCustomButtons) {
  Seen seen;
  Show(Custom("&Append|&Replace|Re&name"), Click("&Append"), &seen);
  EXPECT_EQ(seen.text, "The file name entered already exists.\n\nResults.TXT");
  EXPECT_EQ(seen.title, "File Exists");
  EXPECT_EQ(seen.icon, QMessageBox::Warning);
  // Captions keep their mnemonics and their order.
  EXPECT_EQ(seen.buttons, (QStringList{"&Append", "&Replace", "Re&name"}));

  // A text that looks like markup is shown as it stands.
  Message markup;
  markup.text = "Did not find: <b>x</b> & y|caf\xE9";
  markup.icon = Icon::Error;
  Show(markup, Key(Qt::Key_Return), &seen);
  EXPECT_EQ(seen.format, Qt::PlainText);
  EXPECT_EQ(seen.text, QString::fromUtf8("Did not find: <b>x</b> & y\ncaf\xC3\xA9"));
  EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

struct AnswerCase {
  const char* name;
  Message message;
  std::function<void(QMessageBox&)> press;
  int answer;
};

TEST(QtMessageBox, AnswersAreOneBasedChoicesOrStandardCodes) {
  const AnswerCase cases[] = {
      {"custom first", Custom("Append|Replace|Rename"), Click("Append"), 1},
      {"custom second", Custom("Append|Replace|Rename"), Click("Replace"), 2},
      {"custom third", Custom("Append|Replace|Rename"), Click("Rename"), 3},
      {"custom Enter gives the default", Custom("Append|Replace|Rename", 2), Key(Qt::Key_Return),
       2},
      {"custom Enter, default 3", Custom("Append|Replace|Rename", 3), Key(Qt::Key_Enter), 3},
      {"custom default out of range", Custom("Append|Replace|Rename", 7), Key(Qt::Key_Return), 1},
      {"single custom button escapes", Custom("Close"), Key(Qt::Key_Escape), 1},
      {"Ok", Standard(Buttons::Ok, runtime::kAnswerOk), Key(Qt::Key_Return), runtime::kAnswerOk},
      {"Yes by default", Standard(Buttons::YesNo, runtime::kAnswerYes), Key(Qt::Key_Return),
       runtime::kAnswerYes},
      {"No by default", Standard(Buttons::YesNo, runtime::kAnswerNo), Key(Qt::Key_Return),
       runtime::kAnswerNo},
      {"No clicked", Standard(Buttons::YesNo, runtime::kAnswerYes), Click(QMessageBox::No),
       runtime::kAnswerNo},
      {"Escape is No", Standard(Buttons::YesNo, runtime::kAnswerYes), Key(Qt::Key_Escape),
       runtime::kAnswerNo},
      {"Cancel by default", Standard(Buttons::OkCancel, runtime::kAnswerCancel),
       Key(Qt::Key_Return), runtime::kAnswerCancel},
      {"Ok clicked", Standard(Buttons::OkCancel, runtime::kAnswerCancel), Click(QMessageBox::Ok),
       runtime::kAnswerOk},
      {"Yes/No/Cancel escape", Standard(Buttons::YesNoCancel, runtime::kAnswerYes),
       Key(Qt::Key_Escape), runtime::kAnswerCancel},
      {"Yes/No/Cancel No", Standard(Buttons::YesNoCancel, runtime::kAnswerYes),
       Click(QMessageBox::No), runtime::kAnswerNo},
  };
  for (const AnswerCase& c : cases) EXPECT_EQ(Show(c.message, c.press), c.answer) << c.name;
}

TEST(QtMessageBox, SeveralCustomButtonsCannotBeEscaped) {
  // Escape does nothing; the user has to pick one of the named answers.
  int answer = Show(Custom("Append|Replace|Rename"), [](QMessageBox& box) {
    QTest::keyClick(&box, Qt::Key_Escape);
    EXPECT_TRUE(box.isVisible());
    Click("Rename")(box);
  });
  EXPECT_EQ(answer, 3);
}

TEST(QtMessageBox, ParentClosedUnderTheBoxGivesNoAnswer) {
  // A program event may close the window that asked while its question is open.
  auto* parent = new QWidget;
  parent->show();
  test::DialogDriver driver;
  driver.WhenModal<QMessageBox>([&](QMessageBox&) { delete parent; });
  QtDesktop desktop(parent);
  EXPECT_EQ(desktop.ShowMessage(Custom("Append|Replace|Rename", 2)), 0);
  EXPECT_TRUE(driver.AllActed());
}

}  // namespace
}  // namespace trawlex::ui
