#include "app/application.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSessionManager>
#include <algorithm>
#include <chrono>

#include "app/looks.h"
#include "app/status_bar.h"
#include "app/view.h"
#include "compose/initial_update.h"
#include "io/loading.h"
#include "io/saving.h"
#include "qtsupport/qt_text_drawing.h"

namespace wrimple::app {

namespace {

constexpr int kRecentFileCount = 8;
const QString kRecentSection = QStringLiteral("Recent File List");

std::uint32_t ClockSeed() {
  return std::uint32_t(std::chrono::system_clock::to_time_t(std::chrono::system_clock::now()));
}

}  // namespace

Application::Application(QSettings& settings, StartOptions options)
    : qsettings_(settings), options_(std::move(options)) {
  st_ = std::make_unique<State>();
  settings_ = std::make_unique<QtSettingsStore>(qsettings_);
  window_ = std::make_unique<MainWindow>(*st_, *settings_);
  messages_ = std::make_unique<QtMessageBoxes>(window_.get());
  files_ = std::make_unique<QtFileChooser>(window_.get());
  replace_ = std::make_unique<QtReplaceSource>(window_.get());
  clipboard_ = std::make_unique<QtClipboard>();
  text_ = std::make_unique<QtTextDrawing>();
  random_ = std::make_unique<RandomGenerator>(ClockSeed);
  pf_ = std::make_unique<Platform>(Platform{*messages_, *files_, *replace_, *clipboard_, *settings_,
                                            window_->status(), window_->view(), *text_, *random_});
  window_->Attach(*pf_);
  window_->can_close = [this] { return ConfirmExit(); };
  // The desktop session ending asks as closing the window does (Qt closes no
  // window then by itself).
  QObject::connect(qApp, &QGuiApplication::commitDataRequest, window_.get(), [this](QSessionManager& manager) {
    if (!manager.allowsInteraction()) return;
    const bool may_end = ConfirmExit();
    manager.release();
    if (!may_end) manager.cancel();
  });
  window_->on_close = [this] { Exit(); };
  window_->on_recent_file = [this](int index) {
    const QString path = window_->RecentFiles().value(index);
    if (!OpenRecentFile(*st_, *pf_, path.toStdString())) RemoveRecentFile(index);
    else if (st_->doc.last_image_path == path.toStdString()) AddRecentFile(path);
  };
  window_->on_files_dropped = [this](const QStringList& paths) {
    for (const QString& path : paths) OpenThroughFramework(path);
  };
}

Application::~Application() { Exit(); }

QString Application::DataFolder() const {
  if (!options_.data_folder.isEmpty()) return options_.data_folder;
  const QString beside = QCoreApplication::applicationDirPath();
  if (QFileInfo::exists(beside + "/wrimple.bmx")) return beside;
  const QString relocated = QDir(beside).absoluteFilePath("../share/wrimple");
  if (QFileInfo::exists(relocated + "/wrimple.bmx")) return QDir::cleanPath(relocated);
  return QStringLiteral(WRIMPLE_INSTALLED_DATA_DIR);
}

QString Application::HelpFilePath() const { return DataFolder() + "/wrimple.chm"; }

QString Application::HelpSibling(const char* extension) const {
  const QString help = HelpFilePath();
  return help.left(help.size() - 3) + extension;
}

HelpPage Application::HelpTopicsPage() const { return {DataFolder() + "/README.md", "Usage"}; }

void Application::LoadRecentFiles() {
  QStringList paths;
  for (int i = 1; i <= kRecentFileCount; ++i) {
    const QString path = qsettings_.value(kRecentSection + QString("/File%1").arg(i)).toString();
    if (!path.isEmpty()) paths << path;
  }
  window_->SetRecentFiles(paths);
}

void Application::SaveRecentFiles() {
  qsettings_.remove(kRecentSection);
  const QStringList& paths = window_->RecentFiles();
  for (int i = 0; i < int(paths.size()); ++i)
    qsettings_.setValue(kRecentSection + QString("/File%1").arg(i + 1), paths[i]);
}

void Application::AddRecentFile(const QString& path) {
  QStringList paths = window_->RecentFiles();
  const QString absolute = QFileInfo(path).absoluteFilePath();
  paths.removeAll(absolute);
  paths.prepend(absolute);
  window_->SetRecentFiles(paths);
  SaveRecentFiles();
}

void Application::RemoveRecentFile(int index) {
  QStringList paths = window_->RecentFiles();
  if (index < 0 || index >= paths.size()) return;
  paths.removeAt(index);
  window_->SetRecentFiles(paths);
  SaveRecentFiles();
}

bool Application::OpenThroughFramework(const QString& path) {
  if (!OpenDocumentFile(*st_, *pf_, path.toStdString())) return false;
  AddRecentFile(path);
  return true;
}

bool Application::StartUp(const QStringList& arguments) {
  State& st = *st_;
  // The image codecs are ready before the command-line file is decoded (the
  // file would otherwise be refused for want of them).
  st.ImagingAvailable = true;
  LoadRecentFiles();
  st.Aggressiveness = std::clamp(settings_->ReadInt("wrimple button aggressiveness", 5), 1, 10);
  InstallLook(kDefaultLook);
  // The framework's first document: a command-line file is opened, otherwise a
  // new document; either way the view's first update takes the target size.
  const bool tips = settings_->ReadInt("Flying tips", 1) == 1;
  st.FlyingTipsEnabled = tips;
  const QStringList files = arguments.mid(1);
  const bool file_opened = !files.isEmpty();
  if (file_opened) {
    // The first update takes the target size first: the file is fitted to it.
    OnInitialUpdate(st, *pf_);
    if (!OpenThroughFramework(files.front())) return false;
  } else {
    RefreshNewDocument(st, *pf_);
  }
  window_->show();
  st.FirstTimeHelp = false;
  // A file named on the command line (also how "Open with" starts the
  // program) is the first source, shown at once; the help picture would hide it.
  if (tips && !file_opened) OpenHelpPicture();
  window_->view().SyncChildren();
  window_->Refresh();
  window_->view().RedrawView();
  started_ = true;
  return true;
}

void Application::OpenHelpPicture() {
  State& st = *st_;
  st.SourceCount = 0;
  st.FirstTimeHelp = true;
  st.HelpPictureOpened = false;
  const QString help_picture = HelpSibling("bmx");
  if (QFileInfo::exists(help_picture) && OpenDocumentFile(st, *pf_, help_picture.toStdString())) {
    st.HelpPictureOpened = true;
    QImageReader sharp(help_picture.left(help_picture.size() - 4) + "@2x.bmx", "bmp");
    window_->view().SetSharpHelpPicture(sharp.read());
    st.document_title = "First time help";
  } else {
    st.FirstTimeHelp = false;
  }
}

bool Application::ConfirmExit() {
  if (!st_->TargetModified) return true;
  switch (messages_->AskYesNoCancel("Save the changes to the target?")) {
    case QtMessageBoxes::Answer::No: return true;
    case QtMessageBoxes::Answer::Cancel: return false;
    case QtMessageBoxes::Answer::Yes: break;
  }
  // Only a file actually written lets the program end.
  files_->TakeLastChoice();
  const int errors = messages_->errors_shown();
  SaveAs(*st_, *pf_);
  return !files_->TakeLastChoice().empty() && messages_->errors_shown() == errors;
}

void Application::Exit() {
  // A start-up that ended early read none of the values: the stored ones stay.
  if (exited_ || !started_) return;
  exited_ = true;
  const State& st = *st_;
  settings_->WriteInt("Target Width", st.TargetWidth());
  settings_->WriteInt("Target height", st.TargetHeight());
  settings_->WriteInt("Flying tips", st.FlyingTipsEnabled ? 1 : 0);
  settings_->WriteInt("wrimple button aggressiveness", st.Aggressiveness);
  qsettings_.sync();
}

}  // namespace wrimple::app
