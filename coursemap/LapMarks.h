// The marks of the compared laps on a course map: one layer per active slot
// of the compared laps, moved one by one as the graph cursor reports each lap,
// and put over the map's composed picture only where a mark moved.
#pragma once

#include "coursemap/MapLayerItem.h"

#include "core/LapData.h"

#include <QRegion>

#include <deque>
#include <vector>

class LapMarks {
public:
    // One layer for each active slot from slot 0 on, at most count of them;
    // the number made.
    int Build(const std::vector<orvelo::SelectedLap>& compared, int count);
    const std::deque<MapLayerItem>& Layers() const { return m_layers; }
    // Each layer takes the colour its slot has now (the lap colours changed); the marks stay where
    // they are and show the new colour when next put on the picture.
    void Recolor(const std::vector<orvelo::SelectedLap>& compared);

    // Moves the layer numbered lapIndex + 1 so that its mark is centred on
    // centre; true when the lap number is that layer's.
    bool Move(int lapNumber, int lapIndex, const QPoint& centre);

    // Puts the marks on presented (a copy of composed) where they moved since
    // they were last put there; the region that changed.
    QRegion Present(const QImage& composed, QImage& presented);
    // Takes the marks off presented (back to composed there) and unplaces them; the region that changed.
    QRegion Erase(const QImage& composed, QImage& presented);
    // The picture was made again without marks.
    void Forget();

private:
    std::deque<MapLayerItem> m_layers;
};
