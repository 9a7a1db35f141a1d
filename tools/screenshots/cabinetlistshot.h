#pragma once

#include <QImage>

// The cabinet list as the editor shows it on its card: a user IR with a long name, CAB A and
// CAB B marks, the user IR's row selected and its context menu open.
namespace CabinetListShot {

QImage render(int mode);

} // namespace CabinetListShot
