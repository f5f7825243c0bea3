#include "DesktopAssociations.h"

#include "environment/cRegistry.h"

#include <QCoreApplication>

namespace agendrix {

void DesktopAssociations::Associate()
{
    // Each failure is written to standard error by the registration itself; the dialog tells the
    // user what a desktop may need afterwards either way.
    AssociateFileTypes(QCoreApplication::applicationFilePath(),
        DefaultAssociationPlaces(QCoreApplication::applicationDirPath()));
}

} // namespace agendrix
