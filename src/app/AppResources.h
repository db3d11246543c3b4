#pragma once

#include <QString>

// The program's own pictures live in a resource compiled into a static library, which the linker
// would drop unless something refers to it: every user of an icon calls this first.
void initAppResources();

inline const QString AppIconPath = QStringLiteral(":/icons/vezozil.svg");
