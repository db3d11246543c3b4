#pragma once

#include <QString>

// Operator-visible texts that more than one module shows.
namespace Texts {
inline const QString WarningTitle = QStringLiteral("Vezo Zil UYARI !");
inline const QString AppTitle = QStringLiteral("Vezo Zil");
inline const QString WindowCaption = QStringLiteral("Vezox2 Zil Programı");
inline const QString BellsOn = QStringLiteral(" Zil Açık");
inline const QString BellsOff = QStringLiteral(" Zil Kapalı");
inline const QString AmpOn = QStringLiteral("AMFİ AÇIK");
inline const QString AmpOff = QStringLiteral("AMFİ KAPALI");
inline const QString TrayTip = QStringLiteral("Vezo Zil programı çalışıyor !");
inline const QString MelodyPrompt = QStringLiteral("Melodi Seçiniz");
// The ceremony sounds' buttons, named the same wherever the calendar offers their sounds.
inline const QString AnthemCaption = QStringLiteral("İstiklal Marşı");
inline const QString AnthemSpeechCaption = QStringLiteral("İstiklal Marşı + konuşma");
inline const QString SilenceAnthem1Caption = QStringLiteral("1 Dk Saygı dur.ve İst. Marşı");
inline const QString SilenceAnthem2Caption = QStringLiteral("2 Dk Saygı dur.ve İst. Marşı");
inline const QString SilenceCaption = QStringLiteral("Saygı duruşu");
inline const QString SirenCaption = QStringLiteral("Acil Durum Sireni");
inline const QString ClockNotSynced = QStringLiteral("Saat eşitlenmiyor: zil saatleri kayabilir");
} // namespace Texts

// Indicator colours as the system stores them: red in the lowest byte.
namespace Colours {
constexpr quint32 Green = 0xC000;
constexpr quint32 LightRed = 8421631; // 0x8080FF
constexpr quint32 Red = 255;
} // namespace Colours
