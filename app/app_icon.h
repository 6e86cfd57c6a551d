#pragma once
#include <QImage>

namespace tarvelin {

// The 32 x 32, 16-colour application picture: red, blue and green rising traces over a
// dotted grey grid on white, inside a black frame.
QImage ApplicationIcon();

}  // namespace tarvelin
