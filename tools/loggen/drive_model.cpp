#include "tools/loggen/drive_model.h"

#include <algorithm>
#include <cmath>

namespace tarvelin::loggen {
namespace {

constexpr double kSamplePeriod = 0.1;  // seconds
constexpr double kReqFuel = 7.5;       // ms at full VE and 100 kPa
constexpr double kInjectorOpen = 1.0;  // ms

// Sensor voltage for an excess-air ratio, roughly the inverse of the viewer's curve.
double WidebandVolts(double lambda) {
  return lambda >= 1.0 ? 2.5 + (lambda - 1.0) * 0.9 : 2.5 - (1.0 - lambda) * 3.0;
}

}  // namespace

DriveModel::DriveModel(uint64_t seed, bool /*wideband*/) : state_(seed * 2654435761u + 1) {
  sample_.mat = 12 + Uniform() * 10;
  sample_.clt = sample_.mat + Uniform() * 3;
  sample_.time = Uniform() * 0.05;
}

double DriveModel::Uniform() {
  // splitmix64: the same sequence for a seed on every platform.
  state_ += 0x9E3779B97F4A7C15ull;
  uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return static_cast<double>((z ^ (z >> 31)) >> 11) * 0x1.0p-53;
}

void DriveModel::ChoosePhase() {
  const double pick = Uniform();
  if (phase_ == Phase::kCranking) {
    phase_ = Phase::kIdle;
    afterStartLeft_ = 8 + Uniform() * 6;
  } else if (phase_ == Phase::kAccel) {
    phase_ = pick < 0.6 ? Phase::kCruise : Phase::kDecel;
  } else if (phase_ == Phase::kDecel) {
    phase_ = pick < 0.5 ? Phase::kIdle : Phase::kCruise;
  } else {
    phase_ = pick < 0.55 ? Phase::kAccel : (pick < 0.8 ? Phase::kCruise : Phase::kDecel);
  }
  switch (phase_) {
    case Phase::kIdle:
      targetRpm_ = 8 + Uniform() * 2;
      throttle_ = 0.02;
      phaseLeft_ = 3 + Uniform() * 20;
      break;
    case Phase::kAccel:
      throttle_ = 0.4 + Uniform() * 0.6;
      targetRpm_ = 35 + Uniform() * 33;
      phaseLeft_ = 2 + Uniform() * 6;
      break;
    case Phase::kCruise:
      throttle_ = 0.12 + Uniform() * 0.2;
      targetRpm_ = 18 + Uniform() * 20;
      phaseLeft_ = 5 + Uniform() * 40;
      break;
    case Phase::kDecel:
      throttle_ = 0.0;
      targetRpm_ = 10 + Uniform() * 5;
      phaseLeft_ = 2 + Uniform() * 5;
      break;
    case Phase::kCranking:
      break;
  }
}

const Sample& DriveModel::Next(bool wideband) {
  const double dt = kSamplePeriod + Noise(0.004);
  sample_.time += dt;
  phaseLeft_ -= dt;
  if (phaseLeft_ <= 0) ChoosePhase();
  UpdateSensors(wideband, dt);
  return sample_;
}

void DriveModel::UpdateSensors(bool wideband, double dt) {
  Sample& s = sample_;
  const bool cranking = phase_ == Phase::kCranking;
  if (cranking) {
    rpm_ = 2 + Uniform() * 1.5;
  } else {
    const double rate = phase_ == Phase::kAccel ? 1.5 : 0.8;  // per second, towards the target
    rpm_ += (targetRpm_ - rpm_) * std::min(1.0, rate * dt * 2) + Noise(0.3);
  }
  rpm_ = std::clamp(rpm_, 0.0, 70.0);
  const double openness = cranking ? 0.05 : throttle_;
  const double targetMap = std::clamp(30 + openness * 75 - (rpm_ - 8) * 0.2, 20.0, 102.0);
  map_ += (targetMap - map_) * std::min(1.0, dt * 6) + Noise(0.8);
  map_ = std::clamp(map_, 15.0, 105.0);
  afterStartLeft_ = std::max(0.0, afterStartLeft_ - dt);

  // From the time as written (milliseconds), so the counter agrees with the TIME column.
  s.secl = static_cast<int>(std::llround(s.time * 1000) / 1000 % 256);
  s.rpm = static_cast<int>(std::lround(rpm_));
  s.map = static_cast<int>(std::lround(map_));
  s.tps = static_cast<int>(std::lround(std::clamp(20 + openness * 210 + Noise(1.0), 0.0, 255.0)));

  // The coolant warms towards the thermostat, the intake air gains a little heat soak.
  const double heat = cranking ? 0 : 0.002 + rpm_ * 0.00015;
  s.clt += std::max(0.0, 88 - s.clt) * heat * dt + Noise(0.03);
  s.mat += ((s.clt - 10) * 0.3 + 10 - s.mat) * 0.002 * dt * 10 + Noise(0.05);

  const bool warm = s.clt >= 70;
  s.engine = (cranking ? kCranking : kRunning) | (cranking ? kRunning : 0);
  if (!cranking && afterStartLeft_ > 0) s.engine |= kAfterStart;
  if (!warm) s.engine |= kWarmUp;
  if (phase_ == Phase::kAccel && phaseLeft_ > 1.0) s.engine |= kAccel;
  if (phase_ == Phase::kDecel) s.engine |= kDecel;

  // Mixture: rich when cold or accelerating, lean on the overrun, cycling when closed loop.
  o2Phase_ += dt * (1.2 + rpm_ * 0.02);
  double lambda = 1.0 + 0.03 * std::sin(o2Phase_ * 6.2832);
  if (!warm) lambda -= 0.08;
  if (s.engine & kAccel) lambda = 0.84 + Noise(0.02);
  if (s.engine & kDecel) lambda = 1.45 + Noise(0.1);
  if (cranking) lambda = 0.8;
  if (wideband) {
    s.o2 = std::clamp(WidebandVolts(lambda) + Noise(0.02), 0.0, 5.0);
  } else {
    // A narrowband sensor only tells rich from lean, swinging around 0.45 volts.
    double volts = lambda < 0.97 ? 0.8 : (lambda > 1.1 ? 0.05 : 0.15);
    if (lambda >= 0.97 && lambda <= 1.1 && std::sin(o2Phase_ * 6.2832) < 0) volts = 0.75;
    s.o2 = std::clamp(volts + Noise(0.04), 0.0, 1.0);
  }
  s.gego =
      warm && !(s.engine & (kAccel | kDecel)) ? 100 + static_cast<int>(std::lround(Noise(8))) : 100;

  s.baro = 100;
  s.accelEnrich = (s.engine & kAccel) ? 10 + static_cast<int>(Uniform() * 30) : 0;
  s.warmEnrich = warm ? 100 : static_cast<int>(std::lround(100 + (70 - s.clt) * 0.6));
  s.airCorr = static_cast<int>(std::lround(100 - (s.mat - 20) * 0.2));
  s.battery = (cranking ? 10.5 : 13.9) + Noise(0.1);

  const double ve =
      std::clamp(35 + map_ * 0.45 + 12 * std::sin(rpm_ / 70 * 3.1416) + Noise(1.5), 0.0, 120.0);
  s.ve1 = static_cast<int>(std::lround(ve));
  s.ve2 = static_cast<int>(std::clamp(std::lround(ve + 4 + Noise(2)), 0l, 120l));
  const double enrich = s.warmEnrich / 100.0 * (1 + s.accelEnrich / 100.0) * s.airCorr / 100.0;
  const auto pulse = [&](int veValue) {
    if (s.engine & kDecel && s.map < 30) return 0.0;  // fuel cut on the overrun
    const double pw = kReqFuel * veValue / 100.0 * map_ / 100.0 * enrich * s.gego / 100.0;
    return std::clamp(pw + kInjectorOpen + (cranking ? 4.0 : 0.0), 0.0, 15.0);
  };
  s.pw1 = pulse(s.ve1);
  s.pw2 = pulse(s.ve2);
  s.dc1 = std::min(100.0, s.pw1 * s.rpm / 6.0);
  s.dc2 = std::min(100.0, s.pw2 * s.rpm / 6.0);
  s.advance = std::clamp(10 + rpm_ * 0.5 - (map_ - 40) * 0.15, 5.0, 40.0);
}

}  // namespace tarvelin::loggen
