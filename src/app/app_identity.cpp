#include "app_identity.h"

namespace pellomarin {

QString applicationId() {
    return QStringLiteral(PELLOMARIN_APP_ID);
}

QIcon applicationIcon() {
    return QIcon::fromTheme(applicationId(), QIcon(QStringLiteral(":/icons/pellomarin.svg")));
}

}  // namespace pellomarin
