#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>

#include "app/dialog_pictures.h"
#include "app/dialog_windows.h"
#include "compose/reference_color_dialog.h"

namespace wrimple::app {

namespace {

class ReferenceColorWindow : public QDialog {
 public:
  ReferenceColorWindow(QWidget* parent, State& st, blush& model) : QDialog(parent), st_(st), model_(model) {
    setObjectName("blush");
    setWindowTitle("REFERENCE COLOR Adjustment");
    setAttribute(Qt::WA_DeleteOnClose);
    auto* grid = new QGridLayout(this);
    // The level slider without a label, then each channel with its swatch.
    const std::pair<blush::Slider, int> rows[] = {{blush::Slider::Level, -1},
                                                  {blush::Slider::Red, 0},
                                                  {blush::Slider::Green, 1},
                                                  {blush::Slider::Blue, 2}};
    int row = 0;
    for (const auto& [which, channel] : rows) {
      if (channel >= 0) {
        auto* swatch = new QLabel;
        swatch->setPixmap(ChannelSwatch(channel));
        grid->addWidget(swatch, row, 0, Qt::AlignCenter);
      }
      auto* slider = new QSlider(Qt::Horizontal);
      slider->setRange(0, blush::kSliderMax);
      slider->setPageStep(blush::kPageSize);
      const blush::Slider w = which;
      connect(slider, &QSlider::actionTriggered, this, [this, slider, w](int) {
        model_.MoveSlider(w, slider->sliderPosition());
        Show();
      });
      grid->addWidget(slider, row++, 1, 1, 3);
      sliders_[int(which)] = slider;
    }
    grid->addWidget(new QLabel("Ref.  View"), row++, 0, Qt::AlignCenter);
    swatch_ = new QLabel;
    swatch_->setObjectName("1031");
    swatch_->setFrameShape(QFrame::Panel);
    swatch_->setFrameShadow(QFrame::Sunken);
    swatch_->setMinimumSize(80, 40);
    swatch_->setAutoFillBackground(true);
    grid->addWidget(swatch_, row, 0, 2, 1);
    AddButton(grid, "Black", row, 1, [this] { model_.OnBlack(); });
    AddButton(grid, "Gray", row, 2, [this] { model_.OnGray(); })->setDefault(true);
    AddButton(grid, "White", row, 3, [this] { model_.OnWhite(); });
    auto* done = new QPushButton("Done");
    connect(done, &QPushButton::clicked, this, &QDialog::close);
    grid->addWidget(done, ++row, 1, 1, 3);
    grid->addWidget(new QLabel("You can wipe the right mouse button over the image to get an "
                               "avergage reference color."), ++row, 0, 1, 4);
    grid->addWidget(new QLabel("Use this reference color for 'blushing' and merging."), ++row, 0, 1, 4);
    model_.on_close = [this] { close(); };
    Show();
  }

  ~ReferenceColorWindow() override {
    if (st_.ReferenceColorDialog == &model_) {
      model_.on_close = nullptr;
      CloseReferenceColorDialog(st_);
    }
  }

  void Show() {
    for (int i = 0; i < 4; ++i) {
      const QSignalBlocker block(sliders_[i]);
      sliders_[i]->setValue(model_.position(blush::Slider(i)));
    }
    const ColorRef c = model_.swatch();
    QPalette p = swatch_->palette();
    p.setColor(QPalette::Window, QColor(int(c & 0xff), int((c >> 8) & 0xff), int((c >> 16) & 0xff)));
    swatch_->setPalette(p);
  }

 private:
  QPushButton* AddButton(QGridLayout* grid, const char* text, int row, int column,
                         std::function<void()> press) {
    auto* b = new QPushButton(text);
    connect(b, &QPushButton::clicked, this, [this, press] {
      press();
      Show();
    });
    grid->addWidget(b, row, column);
    return b;
  }

  State& st_;
  blush& model_;
  QSlider* sliders_[4] = {};
  QLabel* swatch_;
};

ReferenceColorWindow* open_window = nullptr;

}  // namespace

QDialog* OpenReferenceColorWindow(QWidget* parent, State& st, Platform& pf) {
  const bool was_open = st.ReferenceColorDialog != nullptr;
  blush* model = SetupReferenceColor(st, pf);
  if (!model) return nullptr;
  if (was_open && open_window) return open_window;
  auto* window = new ReferenceColorWindow(parent, st, *model);
  open_window = window;
  QObject::connect(window, &QObject::destroyed, [window] {
    if (open_window == window) open_window = nullptr;
  });
  QWidget* main = parent->window();
  window->move(main->mapToGlobal(QPoint(main->width() - 420, 80)));
  window->show();
  return window;
}

void RefreshReferenceColorWindow(State& st) {
  if (!open_window || !st.ReferenceColorDialog) return;
  st.ReferenceColorDialog->SyncFromReference();
  open_window->Show();
}

}  // namespace wrimple::app
