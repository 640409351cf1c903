// The controls the BNA => KML and BNA => XML dialogs share, under the object names both use.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>

class QDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace zolvane {

// The colour chooser: red in the low byte, then green, then blue; empty on Cancel.
using ColourChooser = std::function<std::optional<std::uint32_t>(std::uint32_t initial)>;

// Symbol names of the icon list, in list order.
QStringList KmlSymbols();

// Shows `colour` as the background of `button`.
void PaintColour(QPushButton* button, std::uint32_t colour);

// Offers `colour` to the chooser; a chosen one replaces it and paints `button`.
bool ChooseColour(const ColourChooser& chooser, std::uint32_t& colour, QPushButton* button);

// The reminder that the data must be WGS84 degrees.
QLabel* Wgs84Notice(QWidget* parent);

// Which BNA label names the objects: "Fisrt" (ticked) or "Second".
struct LabelRadios {
  QGroupBox* box;
  QRadioButton* second;
};
LabelRadios MakeLabelRadios(QWidget* parent, const QString& title);

// The line colour button and the line width box.
struct LineControls {
  QGroupBox* box;
  QPushButton* colour;
  QLineEdit* width;
};
LineControls MakeLineControls(QWidget* parent, const QString& width);

// CONTINUE (the default, accepts) and CANCEL (rejects).
struct ContinueCancel {
  QPushButton* accept;
  QPushButton* cancel;
};
ContinueCancel MakeContinueCancel(QDialog* dialog);

}  // namespace zolvane
