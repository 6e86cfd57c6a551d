#pragma once
// A simulated drive: cranking, after-start, warm-up, idle, accelerations, cruising and
// decelerations, advanced one sample at a time so every channel moves plausibly.
#include <cstdint>

namespace tarvelin::loggen {

// Engine status bits as the controller reports them.
enum EngineBits : int {
  kRunning = 1,
  kCranking = 2,
  kAfterStart = 4,
  kWarmUp = 8,
  kAccel = 16,
  kDecel = 32,
};

struct Sample {
  double time = 0;  // seconds
  int secl = 0;     // 0..255, wrapping
  int rpm = 0;      // hundreds
  int map = 0;      // kPa
  int tps = 0;      // sensor counts
  double o2 = 0;    // volts
  double mat = 0;   // degrees
  double clt = 0;   // degrees
  int engine = 0;   // EngineBits
  int gego = 100;   // percent
  int baro = 100, accelEnrich = 0, warmEnrich = 100, airCorr = 100;
  double battery = 13.8;
  int ve1 = 0, ve2 = 0;
  double pw1 = 0, pw2 = 0, dc1 = 0, dc2 = 0;
  double advance = 0;
};

class DriveModel {
 public:
  DriveModel(uint64_t seed, bool wideband);
  // Advances to the next sample; `wideband` chooses the sensor from now on.
  const Sample& Next(bool wideband);

 private:
  enum class Phase { kCranking, kIdle, kAccel, kCruise, kDecel };
  double Uniform();  // [0, 1)
  double Noise(double size) { return (Uniform() * 2 - 1) * size; }
  void ChoosePhase();
  void UpdateSensors(bool wideband, double dt);

  uint64_t state_;
  Phase phase_ = Phase::kCranking;
  double phaseLeft_ = 2.0;  // seconds
  double rpm_ = 0, throttle_ = 0, map_ = 100, targetRpm_ = 8;
  double o2Phase_ = 0, afterStartLeft_ = 0;
  Sample sample_;
};

}  // namespace tarvelin::loggen
