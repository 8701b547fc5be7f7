#include "widgets/TopBarLook.h"

#include "widgets/TrkGlassButton.h"
#include "widgets/TrkVistaPanel.h"

namespace quarvel {

void ApplyTopBarLook(TrkVistaPanel& bar)
{
    bar.SetColors(Qt::white, QColor(0x80, 0x80, 0x80), QColor(0x40, 0x40, 0x40), QColor(0x49, 0x50, 0x7A));
}

void ApplyTopBarLook(TrkGlassButton& button)
{
    button.SetColorDown(QColor(0x23, 0x23, 0x23));
    button.SetColorFrame(QColor(0x30, 0x30, 0x30));
    button.SetFontColor(Qt::white);
    button.SetGlossy(true);
    button.SetGlossyLevel(37);
    button.SetLightHeight(27);
}

} // namespace quarvel
