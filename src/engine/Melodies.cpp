#include "engine/Melodies.h"

#include "engine/Controller.h"
#include "common/Log.h"

const QString Melodies::Anons1 = QStringLiteral("\\melodiler\\anons1.wav");
const QString Melodies::Anons2 = QStringLiteral("\\melodiler\\anons2.wav");

QString Melodies::melodyPath(qint16 position)
{
    return QStringLiteral("\\melodiler\\") + QString::number(position + 1) + QStringLiteral(".wav");
}

QString Melodies::fullPath(const QString& relative) const { return c.folder.path(relative); }

void Melodies::playWavFile(const QString& fullPath)
{
    // Nothing is shown to the operator; the log says which sound stayed silent.
    if (!c.d.wav.play(fullPath))
        qCWarning(lcSound) << "sound could not be played:" << c.folder.relative(fullPath);
}

void Melodies::closeWavPlayer() { c.d.wav.close(); }

bool Melodies::isWavPlaying() { return c.d.wav.isPlaying(); }

QString& Melodies::pathOf(MelodyBox box)
{
    switch (box) {
    case MelodyBox::Student:
        return c.s.studentMelodyFile;
    case MelodyBox::Teacher:
        return c.s.teacherMelodyFile;
    case MelodyBox::Exit:
        return c.s.exitMelodyFile;
    case MelodyBox::Assembly:
        break;
    }
    return c.s.assemblyMelodyFile;
}

void Melodies::prepareSounds(const QStringList& relatives)
{
    QStringList files;
    for (const QString& relative : relatives) {
        const QString full = fullPath(relative);
        if (!relative.isEmpty() && !files.contains(full))
            files << full;
    }
    c.d.wav.prepare(files);
}

void Melodies::recomputeAll()
{
    for (int b = 0; b < MelodyBoxCount; ++b) {
        const auto box = static_cast<MelodyBox>(b);
        pathOf(box) = melodyPath(static_cast<qint16>(c.m.box(box).position));
    }
}

void Melodies::Combo1_Change()
{
    pathOf(MelodyBox::Exit) = melodyPath(c.m.box(MelodyBox::Exit).position);
}

void Melodies::Combo2_Change()
{
    pathOf(MelodyBox::Teacher) = melodyPath(c.m.box(MelodyBox::Teacher).position);
}

void Melodies::Combo3_Change(int index)
{
    // Both elements share one handler, which recomputes both paths whichever element changed.
    Q_UNUSED(index);
    pathOf(MelodyBox::Student) = melodyPath(c.m.box(MelodyBox::Student).position);
    pathOf(MelodyBox::Assembly) = melodyPath(c.m.box(MelodyBox::Assembly).position);
}

void Melodies::preview(MelodyBox box)
{
    c.amp.Ac();
    QString& path = pathOf(box);
    path = melodyPath(static_cast<qint16>(c.m.box(box).position));
    playWavFile(fullPath(path));
}

void Melodies::Command15_Click() { preview(MelodyBox::Student); }
void Melodies::Command16_Click() { preview(MelodyBox::Teacher); }
void Melodies::Command17_Click() { preview(MelodyBox::Exit); }
void Melodies::Command25_Click() { preview(MelodyBox::Assembly); }
