#include "log/record_decoder.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include <utility>

#include "log/checked_math.h"
#include "log/failure_place.h"
#include "log/field_parse.h"
#include "log/field_table.h"

namespace tarvelin {

int FindTabs(std::string_view line, size_t* positions) {
  constexpr int kTooMany = kMaxTabs + 1;
  const char* bytes = line.data();
  const size_t size = line.size();
  int count = 0;
  size_t i = 0;
#ifdef __SSE2__
  const __m128i tab = _mm_set1_epi8('\t');
  for (; i + 16 <= size; i += 16) {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
    unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, tab)));
    while (mask != 0) {
      positions[count++] = i + static_cast<unsigned>(__builtin_ctz(mask));
      if (count == kTooMany) return count;
      mask &= mask - 1;
    }
  }
#endif
  for (; i < size; ++i) {
    if (bytes[i] == '\t') {
      positions[count++] = i;
      if (count == kTooMany) return count;
    }
  }
  return count;
}

RecordDecoder::RecordDecoder(LogData& data) : afr_(data.AFR.data()) {
  for (const FieldEntry& entry : kFieldTable) {
    if (entry.integer) integers_[entry.field] = (data.*entry.integer).data();
    if (entry.real) reals_[entry.field] = (data.*entry.real).data();
  }
}

namespace {

// One line being decoded. Each field of the table is expanded at compile time, so its
// conversion and its bounds cost no run-time dispatch.
struct LineDecode {
  std::string_view line;
  const size_t* tabs;
  int tabCount;
  size_t slot;
  int32_t* const* integers;
  double* const* reals;
  TextRun& time;
  TextRun& engine;
  int current = 0;  // index into the table of the field being decoded, for the failure's place

  // Field k runs from after tab k to tab k + 1; the last field a line holds runs to its end.
  template <int kField>
  std::string_view Text() const {
    const size_t begin = kField == 0 ? 0 : tabs[kField - 1] + 1;
    size_t end;
    if constexpr (kField < kNarrowTabs) {
      end = tabs[kField];
    } else if constexpr (kField == kNarrowTabs) {
      end = tabCount >= 20 ? tabs[kField] : line.size();
    } else {
      end = tabCount == kField ? line.size() : tabs[kField];
    }
    return line.substr(begin, end - begin);
  }

  template <size_t kIndex>
  void Field() {
    constexpr FieldEntry entry = kFieldTable[kIndex];
    current = static_cast<int>(kIndex);
    const std::string_view text = Text<entry.field>();
    if constexpr (entry.kind == FieldKind::kText) {
      (entry.field == 0 ? time : engine).Add(text);
    } else if constexpr (entry.kind == FieldKind::kInteger) {
      integers[entry.field][slot] = ParseIntField(text);
    } else if constexpr (entry.kind == FieldKind::kReal) {
      reals[entry.field][slot] = ParseRealField(text);
    } else {
      integers[entry.field][slot] = RangeChecked32(RoundHalfEven(ParseRealField(text)));
    }
  }
};

// The table up to and including the O2 field, the rest up to PW2, and the wide-only rest.
constexpr size_t kO2Index = 5;
constexpr size_t kNarrowCount = 14;
static_assert(kFieldTable[kO2Index].field == kO2Field);
static_assert(kFieldTable[kNarrowCount - 1].field == kNarrowTabs);

template <size_t kFirst, size_t... kIndex>
void DecodeRange(LineDecode& d, std::index_sequence<kIndex...>) {
  (d.Field<kFirst + kIndex>(), ...);
}

}  // namespace

void RecordDecoder::Decode(std::string_view line, int32_t slot, int64_t lineNumber, TextRun& time,
                           TextRun& engine, WidebandTracker& wideband) const {
  size_t tabs[kMaxTabs + 1];
  const int tabCount = FindTabs(line, tabs);
  if (tabCount > kMaxTabs) throw Failure(kRangeCheckError);
  if (tabCount < kNarrowTabs) {
    throw Failure("Line " + std::to_string(lineNumber) + " has " + std::to_string(tabCount) +
                  " tabs; a data line needs 18, or 21 to 24");
  }
  LineDecode d{line, tabs, tabCount, static_cast<size_t>(slot), integers_, reals_, time, engine};
  try {
    DecodeRange<0>(d, std::make_index_sequence<kO2Index + 1>());
  } catch (Failure& failure) {
    failure.setPlace(FieldPlace(kFieldTable[d.current].field, kFieldTable[d.current].channel));
    throw;
  }
  // The wideband rule runs right after O2 is stored, before the next field.
  try {
    wideband.Apply(reals_[kO2Field][d.slot], afr_, slot, lineNumber);
  } catch (Failure& failure) {
    failure.setPlace(FieldPlace(kO2Field, "AFR"));
    throw;
  }
  try {
    DecodeRange<kO2Index + 1>(d, std::make_index_sequence<kNarrowCount - kO2Index - 1>());
    if (tabCount >= 20)
      DecodeRange<kNarrowCount>(d, std::make_index_sequence<kFieldCount - kNarrowCount>());
  } catch (Failure& failure) {
    failure.setPlace(FieldPlace(kFieldTable[d.current].field, kFieldTable[d.current].channel));
    throw;
  }
}

}  // namespace tarvelin
