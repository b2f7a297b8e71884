// Where the network build puts a device panel, and what it calls it.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>

namespace tarvo {

// The panel name of a device: its name with every character other than A-Z, a-z and 0-9
// removed (also the default name of the panel's configuration files).
QString PanelName(const QString& naziv);

// Place of the n-th panel (from 0) of a page: rows as wide as the screen allows, left to
// right, 10 pixels apart.
QPoint PanelPlace(int n, const QSize& panel, int screenWidth);

}  // namespace tarvo
