#pragma once

#include <QString>

// The program's own pictures live in a resource compiled into a static library, which the linker
// would drop unless something refers to it: every user of an icon calls this first. The platform's
// font is chosen here too, before the first window is made.
void initAppResources();

inline const QString AppIconPath = QStringLiteral(":/icons/vezozil.svg");
