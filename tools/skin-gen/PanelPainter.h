#pragma once
#include <QColor>
#include <QImage>
#include <QList>

#include "IconPainter.h"

// Backgrounds, panels, buttons, bars and the logo of the skin.
class PanelPainter {
 public:
  static QImage WindowBackground(int width, int height);
  // A rounded panel meant to be stretched with its corners kept.
  static QImage Panel(int size, int radius, const QColor& top, const QColor& bottom, const QColor& border,
                      bool accentEdge = false);
  static QImage CaptionBar(int width, int height, bool top);
  static QImage TabStripBackground(int width, int height);
  static QImage TabItemSelected(int width, int height);
  // Four states side by side: normal, hover, pressed, disabled.
  static QImage ButtonStrip(int frameWidth, int frameHeight, bool outline);
  static QImage IconButtonStrip(IconPainter::Glyph glyph, int size, bool dangerHover, bool round = false);
  static QImage Bar(int width, int height, const QColor& from, const QColor& to);
  static QImage Field(int width, int height);
  static QImage KeyBackground(int width, int height);
  static QImage Prompt(int width, int height);
  static QImage Logo(int width, int height, int fontPixels);
  static QImage BatteryOutline(int width, int height);
  static QImage BatteryFill(int width, int height);
  static QImage BatteryBolt(int width, int height);
  static QImage ModeStrip(int frameWidth, int frameHeight);
  static QImage Icon(IconPainter::Glyph glyph, int size, const QColor& colour);
  static QList<QImage> SpinnerFrames(int size, int frames, const QColor& background);
};
