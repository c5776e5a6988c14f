#include "platform/MessageBox.h"

QString programTitle() {
    return QStringLiteral("Pontelo");
}
