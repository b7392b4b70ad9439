// A started program on the offscreen platform with its settings in a fresh
// temporary file, and helpers that send mouse events the way a person would.
#pragma once

#include <QMouseEvent>
#include <QSettings>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

#include "app/application.h"
#include "app/main_window.h"
#include "app/status_bar.h"
#include "app/view.h"

namespace wrimple::app::testing {

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts (again) with the settings file of this test.
  void Start();
  void Stop();

  // A width x height BMP file whose pixel (x, y) has red x, green y, blue 7.
  QString WritePicture(const QString& name, int width, int height);
  // Opens a picture as the next source, as a file dropped on the window would.
  void LoadSource(int width = 400, int height = 300);

  QWidget* Viewport() { return app->window().view().viewport(); }
  State& st() { return app->state(); }
  MainWindow& window() { return app->window(); }
  QString Pane(int i) { return window().status().PaneText(i); }
  bool Enabled(CommandId id) { return window().ActionOf(id)->isEnabled(); }

  // Mouse events with explicit buttons held, in window coordinates of `to`.
  static void Press(QWidget* to, Qt::MouseButton button, QPoint at);
  static void Move(QWidget* to, Qt::MouseButtons held, QPoint at,
                   Qt::KeyboardModifiers keys = Qt::NoModifier);
  static void Release(QWidget* to, Qt::MouseButton button, QPoint at);
  // Press at from, one move to `to` with the button held, release there.
  static void Drag(QWidget* on, Qt::MouseButton button, QPoint from, QPoint to);

  QTemporaryDir folder;
  std::unique_ptr<QSettings> settings;
  std::unique_ptr<Application> app;
  int pictures = 0;
};

}  // namespace wrimple::app::testing
