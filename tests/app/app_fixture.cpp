#include "app_fixture.h"

#include <QApplication>
#include <QImage>

#include "io/loading.h"

namespace wrimple::app::testing {

void AppTest::SetUp() {
  ASSERT_TRUE(folder.isValid());
  Start();
}

void AppTest::TearDown() { Stop(); }

void AppTest::Start() {
  settings = std::make_unique<QSettings>(folder.filePath("settings.ini"), QSettings::IniFormat);
  app = std::make_unique<Application>(*settings, StartOptions{.data_folder = WRIMPLE_APP_DATA});
  InstallCommandHandlers(*app);
  ASSERT_TRUE(app->StartUp({"wrimple"}));
  app->window().resize(900, 700);
  QApplication::processEvents();
}

void AppTest::Stop() {
  if (!app) return;
  app->Exit();
  app.reset();
  settings.reset();
}

QString AppTest::WritePicture(const QString& name, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x & 0xff, y & 0xff, 7));
  const QString path = folder.filePath(name);
  EXPECT_TRUE(image.save(path, "BMP"));
  return path;
}

void AppTest::LoadSource(int width, int height) {
  const QString path = WritePicture(QString("source%1.bmp").arg(++pictures), width, height);
  ASSERT_TRUE(app->OpenThroughFramework(path));
  window().view().SyncChildren();
  window().Refresh();
}

namespace {

void Send(QWidget* to, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPoint at,
          Qt::KeyboardModifiers keys) {
  QMouseEvent event(type, QPointF(at), QPointF(to->mapToGlobal(at)), button, held, keys);
  QApplication::sendEvent(to, &event);
}

}  // namespace

void AppTest::Press(QWidget* to, Qt::MouseButton button, QPoint at) {
  Send(to, QEvent::MouseButtonPress, button, button, at, Qt::NoModifier);
}

void AppTest::Move(QWidget* to, Qt::MouseButtons held, QPoint at, Qt::KeyboardModifiers keys) {
  Send(to, QEvent::MouseMove, Qt::NoButton, held, at, keys);
}

void AppTest::Release(QWidget* to, Qt::MouseButton button, QPoint at) {
  Send(to, QEvent::MouseButtonRelease, button, Qt::NoButton, at, Qt::NoModifier);
}

void AppTest::Drag(QWidget* on, Qt::MouseButton button, QPoint from, QPoint to) {
  Press(on, button, from);
  Move(on, button, to);
  Release(on, button, to);
}

}  // namespace wrimple::app::testing
