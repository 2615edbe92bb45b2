#include "covers/frmPrint_Offset.h"

frmPrint_Offset::frmPrint_Offset() : FormBase(Kind::Dialog, QStringLiteral("Print CD Label"), QSize(760, 520)) {}
