// The shared values.
#include "partage/module1.h"

namespace Module1 {

QString chemin_base;
QString chemin_programme;

}  // namespace Module1
