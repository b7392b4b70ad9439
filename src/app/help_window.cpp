#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/dialogs.h"

namespace wrimple::app {

namespace {

// The part of a Markdown text from the heading `section` to the next heading
// of the same level; the whole text when there is no such heading.
QString MarkdownSection(const QString& markdown, const QString& section) {
  if (section.isEmpty()) return markdown;
  const QStringList lines = markdown.split('\n');
  qsizetype first = -1;
  QString level;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    const QString& line = lines[i];
    const qsizetype hashes = line.indexOf(' ');
    const bool heading = hashes > 0 && line.left(hashes) == QString(hashes, '#');
    if (first < 0 && heading && line.mid(hashes + 1).trimmed() == section) {
      first = i;
      level = line.left(hashes);
    } else if (first >= 0 && heading && line.left(hashes).size() <= level.size()) {
      return lines.mid(first, i - first).join('\n');
    }
  }
  return first < 0 ? markdown : lines.mid(first).join('\n');
}

}  // namespace

QWidget* ShowHelpWindow(QWidget* parent, const HelpPage& page) {
  auto* window = new QDialog(parent);
  window->setObjectName("help");
  window->setWindowTitle("wrimple32 Help");
  window->setAttribute(Qt::WA_DeleteOnClose);
  auto* browser = new QTextBrowser;
  browser->setOpenExternalLinks(true);
  QFile file(page.path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
    browser->setPlainText("The help file " + page.path + " cannot be read.");
  } else if (QFileInfo(page.path).suffix().compare("md", Qt::CaseInsensitive) == 0) {
    browser->setMarkdown(MarkdownSection(QString::fromUtf8(file.readAll()), page.section));
  } else {
    browser->setSource(QUrl::fromLocalFile(QFileInfo(page.path).absoluteFilePath()));
    if (!page.section.isEmpty()) browser->scrollToAnchor(page.section);
  }
  auto* layout = new QVBoxLayout(window);
  layout->addWidget(browser);
  window->resize(720, 600);
  window->show();
  return window;
}

}  // namespace wrimple::app
