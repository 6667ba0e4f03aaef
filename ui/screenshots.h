// Pictures of every page of the window, for checking the layout.
#pragma once

#include <QString>
#include <QStringList>

namespace kest::ui {

class Tmain;

// Shows each page (and each cache sub-page and cache level) in turn and
// saves the window's picture as PNG files in `dir`; returns the paths.
QStringList SavePageScreenshots(Tmain& window, const QString& dir);

}  // namespace kest::ui
