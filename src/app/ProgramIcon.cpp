#include "app/ProgramIcon.h"

QIcon ProgramIcon() {
  static const QIcon icon =
      QIcon::fromTheme(QStringLiteral("org.marvekworld.marvekedit"),
                       QIcon(QStringLiteral(":/icons/org.marvekworld.marvekedit.svg")));
  return icon;
}
