#pragma once
// Loaded logs built in code: every channel sized RecordCount + 2000, all slots empty.
#include <cstdint>

#include "log/log_data.h"

namespace tarvelin::testing {

inline LogData MakeLog(int32_t records, int32_t o2Mode = 1) {
  LogData log;
  log.RecordCount = records;
  const int32_t slots = records + LeadIn + LeadOut;
  for (TextChannel* text : {&log.TIME, &log.ENGINE}) text->Allocate(slots);
  for (Channel<int32_t>* channel :
       {&log.SECL, &log.RPM, &log.MAP, &log.TPS, &log.CLT, &log.GEGO, &log.VE1, &log.VE2})
    channel->Allocate(slots);
  for (Channel<double>* channel :
       {&log.O2, &log.MAT, &log.PW1, &log.PW2, &log.DC1, &log.DC2, &log.AFR})
    channel->Allocate(slots);
  log.O2Mode = o2Mode;
  log.LogLoaded = true;
  return log;
}

inline int32_t SlotOf(int32_t record) { return record + LeadIn; }

}  // namespace tarvelin::testing
