// The command catalogue against the desktop program: every command has its
// handler, and every key of the catalogue is one Qt understands.
#include <algorithm>

#include "app/command_entries.h"
#include "app_fixture.h"

namespace wrimple::app::testing {
namespace {

using C = CommandId;

// Commands with no handler of the program's own, and why.
const C kNoHandler[] = {
    C::New,         // the framework's own; the program has one document and no "New" item
    C::Cut,         // shown in the context menu, never enabled
};

TEST_F(AppTest, EveryCommandOfTheCatalogueHasItsHandler) {
  for (const CommandInfo& info : Commands()) {
    const bool excused = std::find(std::begin(kNoHandler), std::end(kNoHandler), info.id) != std::end(kNoHandler);
    EXPECT_NE(window().HasHandler(info.id), excused) << "command " << int(info.id) << ": " << info.menu_text;
    EXPECT_NE(window().ActionOf(info.id), nullptr);
  }
}

TEST_F(AppTest, EveryKeyOfTheCatalogueIsAQtKey) {
  for (const CommandInfo& info : Commands()) {
    const QList<QKeySequence> keys = KeysOf(info);
    ASSERT_EQ(keys.size(), qsizetype(info.keys.size()));
    for (qsizetype i = 0; i < keys.size(); ++i) {
      EXPECT_EQ(keys[i].count(), 1) << info.keys[std::size_t(i)];
      EXPECT_EQ(keys[i].toString(QKeySequence::PortableText), QString(info.keys[std::size_t(i)]));
    }
  }
  EXPECT_EQ(KeysOf(InfoOf(C::Copy)), (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_C),
                                                          QKeySequence(Qt::CTRL | Qt::Key_Insert)}));
}

}  // namespace
}  // namespace wrimple::app::testing
