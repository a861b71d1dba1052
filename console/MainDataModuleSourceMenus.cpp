// The source and encoder regions between their markers, filled from the
// engine's lists.
#include "MainDataModule.h"
#include "SenderCommandHistory.h"
#include "ovSender.h"

std::vector<TMenuItem*> TMainDataModule::MenuRegion(TMenuItem* beginMarker, TMenuItem* endMarker) {
  std::vector<TMenuItem*> items;
  TMenuItem* parent = beginMarker ? beginMarker->Parent() : nullptr;
  if (!parent || endMarker->Parent() != parent) return items;
  const int end = endMarker->MenuIndex();
  for (int i = beginMarker->MenuIndex() + 1; i < end; ++i) items.push_back(parent->Items(i));
  return items;
}

void TMainDataModule::ClearMenuRegion(TMenuItem* beginMarker, TMenuItem* endMarker) {
  for (TMenuItem* item : MenuRegion(beginMarker, endMarker)) delete item;
}

namespace {
struct SourceFunctions {
  int (*count)();
  int (*current)();
  void (*select)(int);
  const char* (*name)(int);
  int category;
};
const SourceFunctions kVideoSources{ovSenderGetNumVideoSources, ovSenderGetVideoSource, ovSenderSetVideoSource,
                                    ovSenderGetVideoSourceFriendlyName, CategoryVideoSource};
const SourceFunctions kAudioSources{ovSenderGetNumAudioSources, ovSenderGetAudioSource, ovSenderSetAudioSource,
                                    ovSenderGetAudioSourceFriendlyName, CategoryAudioSource};

struct EncoderFunctions {
  int (*count)();
  const char* (*name)(int);
  int (*priority)(int);
  int (*current)();
  void (*select)(int);
  int category;
};
const EncoderFunctions kVideoEncoders{ovSenderGetNumVideoEncoder, ovSenderGetVideoEncoderFriendlyName,
                                      ovSenderGetVideoEncoderPriority, ovSenderGetVideoEncoder,
                                      ovSenderSetVideoEncoder, CategoryVideoEncoder};
const EncoderFunctions kAudioEncoders{ovSenderGetNumAudioEncoder, ovSenderGetAudioEncoderFriendlyName,
                                      ovSenderGetAudioEncoderPriority, ovSenderGetAudioEncoder,
                                      ovSenderSetAudioEncoder, CategoryAudioEncoder};

QString Text(const char* text) { return QString::fromUtf8(text ? text : ""); }

void BuildSources(TMainDataModule* module, TMenuItem* begin, TMenuItem* end, const SourceFunctions& f) {
  TMainDataModule::ClearMenuRegion(begin, end);
  const int current = f.current();
  TMenuItem* parent = begin->Parent();
  for (int i = 0; i < f.count(); ++i) {
    auto* item = new TMenuItem(QString(), Text(f.name(i)));
    item->SetChecked(i == current);
    item->OnClick = [module, begin, end, &f](TMenuItem& clicked) {
      const std::vector<TMenuItem*> region = TMainDataModule::MenuRegion(begin, end);
      for (int k = 0; k < f.count() && k < static_cast<int>(region.size()); ++k) {
        TMenuItem* entry = region[static_cast<size_t>(k)];
        if (entry == &clicked) {
          entry->SetChecked(true);
          f.select(k);
          ovSenderComputeVideoWindow();
          module->OperationHistory->RecordValue(entry->Caption(), k, f.category);
        } else {
          entry->SetChecked(false);
        }
      }
    };
    parent->Insert(begin->MenuIndex() + 1 + i, item);
  }
}

void RecheckSources(TMenuItem* begin, TMenuItem* end, const SourceFunctions& f) {
  const std::vector<TMenuItem*> region = TMainDataModule::MenuRegion(begin, end);
  const int current = f.current();
  for (size_t i = 0; i < region.size(); ++i) region[i]->SetChecked(static_cast<int>(i) == current);
}

void BuildEncoders(TMainDataModule* module, TMenuItem* begin, TMenuItem* end, std::vector<int>& indexes,
                   const EncoderFunctions& f) {
  TMainDataModule::ClearMenuRegion(begin, end);
  indexes.clear();
  TMenuItem* parent = begin->Parent();
  const int base = begin->MenuIndex() + 1;
  int R = base, A = base, N = base;  // menu insertion positions
  size_t r = 0, a = 0, n = 0;        // index list insertion positions
  bool separatorA = false, separatorN = false;
  auto click = [module, begin, end, &indexes, &f](TMenuItem& clicked) {
    size_t k = 0;
    for (TMenuItem* entry : TMainDataModule::MenuRegion(begin, end)) {
      if (!entry->OnClick) continue;
      if (entry == &clicked && k < indexes.size()) {
        entry->SetChecked(true);
        f.select(indexes[k]);
        ovSenderComputeVideoWindow();
        module->OperationHistory->RecordValue(entry->Caption(), indexes[k], f.category);
      } else {
        entry->SetChecked(false);
      }
      ++k;
    }
  };
  auto item = [&](int i) {
    auto* entry = new TMenuItem(QString(), Text(f.name(i)));
    entry->OnClick = click;
    return entry;
  };
  const int show = module->EncoderShowControl;
  for (int i = 0; i < f.count(); ++i) {
    const int priority = f.priority(i);
    if (priority == 0) {
      parent->Insert(R++, item(i));
      ++A, ++N;
      indexes.insert(indexes.begin() + static_cast<std::ptrdiff_t>(r++), i);
      ++a, ++n;
    } else if (priority == 1 && show != EncoderShowRecommend) {
      if (!separatorA) {
        parent->Insert(A++, new TMenuItem(QString(), QStringLiteral("-")));
        ++N;
        separatorA = true;
      }
      parent->Insert(A++, item(i));
      ++N;
      indexes.insert(indexes.begin() + static_cast<std::ptrdiff_t>(a++), i);
      ++n;
    } else if (priority == 2 && show == EncoderShowAll) {
      if (!separatorN) {
        parent->Insert(N++, new TMenuItem(QString(), QStringLiteral("-")));
        separatorN = true;
      }
      parent->Insert(N++, item(i));
      indexes.insert(indexes.begin() + static_cast<std::ptrdiff_t>(n++), i);
    }
  }
}

void RecheckEncoders(TMenuItem* begin, TMenuItem* end, const std::vector<int>& indexes, const EncoderFunctions& f) {
  const int current = f.current();
  size_t k = 0;
  for (TMenuItem* entry : TMainDataModule::MenuRegion(begin, end)) {
    if (!entry->OnClick) continue;
    entry->SetChecked(k < indexes.size() && indexes[k] == current);
    ++k;
  }
}
}  // namespace

void TMainDataModule::BuildVideoSourceMenu() {
  BuildSources(this, VideoSourceBeginMenuItem, VideoSourceEndMenuItem, kVideoSources);
}

void TMainDataModule::BuildAudioSourceMenu() {
  BuildSources(this, AudioSourceBeginMenuItem, AudioSourceEndMenuItem, kAudioSources);
}

void TMainDataModule::BuildEncoderMenus() {
  BuildEncoders(this, VideoEncoderBeginMenuItem, VideoEncoderEndMenuItem, VideoEncoderIndexes, kVideoEncoders);
  BuildEncoders(this, AudioEncoderBeginMenuItem, AudioEncoderEndMenuItem, AudioEncoderIndexes, kAudioEncoders);
}

void TMainDataModule::RecheckVideoSourceMenu() {
  RecheckSources(VideoSourceBeginMenuItem, VideoSourceEndMenuItem, kVideoSources);
}

void TMainDataModule::RecheckAudioSourceMenu() {
  RecheckSources(AudioSourceBeginMenuItem, AudioSourceEndMenuItem, kAudioSources);
}

void TMainDataModule::RecheckVideoEncoderMenu() {
  RecheckEncoders(VideoEncoderBeginMenuItem, VideoEncoderEndMenuItem, VideoEncoderIndexes, kVideoEncoders);
}

void TMainDataModule::RecheckAudioEncoderMenu() {
  RecheckEncoders(AudioEncoderBeginMenuItem, AudioEncoderEndMenuItem, AudioEncoderIndexes, kAudioEncoders);
}

void TMainDataModule::RecheckSourceAndEncoderMenus() {
  RecheckVideoSourceMenu();
  RecheckAudioSourceMenu();
  RecheckVideoEncoderMenu();
  RecheckAudioEncoderMenu();
}
