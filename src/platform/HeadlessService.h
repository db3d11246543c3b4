#pragma once

#include <QString>

// The system service that rings the bells of a PC where nobody logs in. Only one bell engine may ring
// on a PC: while the service is active, a desktop start must not start a second one.
namespace HeadlessService {
inline const QString Unit = QStringLiteral("vezozil-headless.service");

// Whether systemd reports the service active ("systemctl is-active"). Asked with a short timeout: a
// start must not wait on a service manager that does not answer. Where there is no systemd, or it
// cannot be asked, the answer is no.
bool isActive(int timeoutMs = 3000);
} // namespace HeadlessService
