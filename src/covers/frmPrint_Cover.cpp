#include "covers/frmPrint_Cover.h"

frmPrint_Cover::frmPrint_Cover() : FormBase(Kind::Dialog, QStringLiteral("Print CD Case"), QSize(760, 520)) {}
