#include "log/record_decoder.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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
  for (const FieldSpec& spec : kFieldTable) {
    if (spec.integer) integers_[spec.field] = (data.*spec.integer).data();
    if (spec.real) reals_[spec.field] = (data.*spec.real).data();
  }
}

void RecordDecoder::Decode(std::string_view line, int32_t slot, int64_t lineNumber, TextRun& time,
                           TextRun& engine, WidebandTracker& wideband) const {
  size_t tabs[kMaxTabs + 1];
  const int tabCount = FindTabs(line, tabs);
  if (tabCount > kMaxTabs) throw Failure(kRangeCheckError);
  if (tabCount < kNarrowTabs) {
    throw Failure("Line " + std::to_string(lineNumber) + " has " + std::to_string(tabCount) +
                  " tabs; a data line needs 18, or 21 to 24");
  }
  const bool wide = tabCount >= 20;
  // Field k runs from after tab k to tab k + 1; the last field a line holds runs to its end.
  const auto fieldText = [&](int field) {
    const size_t begin = field == 0 ? 0 : tabs[field - 1] + 1;
    const bool toEnd = (field == kNarrowTabs && !wide) || field == tabCount;
    const size_t end = toEnd ? line.size() : tabs[field];
    return line.substr(begin, end - begin);
  };

  const size_t slotIndex = static_cast<size_t>(slot);
  for (const FieldSpec& spec : kFieldTable) {
    if (spec.field > kNarrowTabs && !wide) break;
    const std::string_view text = fieldText(spec.field);
    try {
      switch (spec.kind) {
        case FieldKind::kText:
          (spec.field == 0 ? time : engine).Add(text);
          break;
        case FieldKind::kInteger:
          integers_[spec.field][slotIndex] = ParseIntField(text);
          break;
        case FieldKind::kReal:
          reals_[spec.field][slotIndex] = ParseRealField(text);
          break;
        case FieldKind::kRoundedReal:
          integers_[spec.field][slotIndex] = RangeChecked32(RoundHalfEven(ParseRealField(text)));
          break;
      }
    } catch (Failure& failure) {
      failure.setPlace(FieldPlace(spec.field, spec.channel));
      throw;
    }
    if (spec.field == kO2Field) {
      try {
        wideband.Apply(reals_[kO2Field][slotIndex], afr_, slot, lineNumber);
      } catch (Failure& failure) {
        failure.setPlace(FieldPlace(kO2Field, "AFR"));
        throw;
      }
    }
  }
}

}  // namespace tarvelin
