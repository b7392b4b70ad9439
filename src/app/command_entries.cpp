#include "app/command_entries.h"

namespace wrimple::app {

QString PromptOf(const CommandInfo& info) { return QString::fromUtf8(info.prompt).section('\n', 0, 0); }

QString TooltipOf(const CommandInfo& info) {
  const QString prompt = QString::fromUtf8(info.prompt);
  return prompt.contains('\n') ? prompt.section('\n', 1) : QString();
}

QList<QKeySequence> KeysOf(const CommandInfo& info) {
  QList<QKeySequence> keys;
  for (const char* key : info.keys) keys.push_back(QKeySequence(QString::fromLatin1(key), QKeySequence::PortableText));
  return keys;
}

std::optional<CommandId> CommandOfCharacter(QChar character) {
  for (const CommandInfo& info : Commands())
    if (QString::fromUtf8(info.characters).contains(character)) return info.id;
  return std::nullopt;
}

}  // namespace wrimple::app
