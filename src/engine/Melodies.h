#pragma once

#include "engine/MainModel.h"

#include <QString>

class Controller;

// The WAV player operations, the melody paths and the four melody boxes with their "Dinle" buttons.
class Melodies
{
public:
    explicit Melodies(Controller& c) : c(c) {}

    // The spoken announcements after the student and the teacher bell.
    static const QString Anons1;
    static const QString Anons2;

    void playWavFile(const QString& fullPath);
    void closeWavPlayer();
    bool isWavPlaying();
    // "\melodiler\" + (position + 1) + ".wav"; -1 gives 0.wav.
    static QString melodyPath(qint16 position);

    void recomputeAll(); // the four paths from their boxes
    void Combo1_Change();
    void Combo2_Change();
    void Combo3_Change(int index);
    void Command15_Click(); // Dinle: student
    void Command16_Click(); // Dinle: teacher
    void Command17_Click(); // Dinle: exit
    void Command25_Click(); // Dinle: assembly

    // The full path of a stored melody path or fixed sound ("\marslar\istiklal.wav").
    QString fullPath(const QString& relative) const;

    // Tells the player that these stored melody paths or fixed sounds are wanted soon.
    void prepareSounds(const QStringList& relatives);

private:
    void preview(MelodyBox box);
    QString& pathOf(MelodyBox box);

    Controller& c;
};
