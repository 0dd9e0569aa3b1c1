#pragma once

// The instrument pictures of the demo installation, each drawn for one gauge module.

#include "canvas.h"

namespace cockpix::demo {

Canvas drawAirspeed();
Canvas drawAttitude();
Canvas drawAltimeter();
Canvas drawHeading();
Canvas drawVerticalSpeed();
Canvas drawTurnCoordinator();
Canvas drawTachometer();
Canvas drawManifoldPressure();
Canvas drawClock();
Canvas drawAmmeter();
Canvas drawFuelGauge();
Canvas drawOilGauge();
Canvas drawCompass();
Canvas drawRadioStack();
Canvas drawTransponder();
Canvas drawGps();
Canvas drawSuction();
Canvas drawVoltmeter();
Canvas drawOutsideAirTemperature();
Canvas drawExhaustGasTemperature();
Canvas drawFuelFlow();
Canvas drawCylinderTemperature();

// The pictures shipped in the program directory for gauges and backgrounds that cannot
// be shown: grey, framed, crossed out in red, with a caption.
Canvas drawNoGaugePicture();
Canvas drawNoBackgroundPicture();

} // namespace cockpix::demo
