// The application looks of the View menu (ids 205 to 219) as Qt styles and
// palettes.
#pragma once

#include <QPalette>
#include <QString>

namespace wrimple::app {

inline constexpr int kDefaultLook = 210;  // the look installed at every start

struct Look {
  QString style;    // a Qt style name
  QPalette palette;
};

// The style and palette of a look id; ids outside 205..219 get the default look.
Look LookOf(int id);
// Installs a look for the whole program.
void InstallLook(int id);

}  // namespace wrimple::app
