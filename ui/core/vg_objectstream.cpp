// Streaming of node trees: the members of TvgObject that read and write the
// binary and text forms, clones, and the stream factories.
#include <exception>

#include "platform/rtl/ClassRegistry.h"
#include "platform/rtl/Filer.h"
#include "platform/rtl/ObjectText.h"
#include "ui/core/vg_object.h"
#include "ui/core/vg_visual.h"

namespace vg {

namespace {

void TextToBinary(rtl::TStream& text, rtl::TMemoryStream& binary) {
  rtl::ObjectTextToBinary(text, binary);
  binary.SetPosition(0);
}

}  // namespace

void TvgObject::SaveToBinStream(rtl::TStream& stream) {
  rtl::TWriter writer(stream);
  writer.WriteRootComponent(this);
}

void TvgObject::SaveToStream(rtl::TStream& stream) {
  rtl::TMemoryStream binary;
  SaveToBinStream(binary);
  binary.SetPosition(0);
  rtl::ObjectBinaryToText(binary, stream);
}

void TvgObject::ReadFromBinStream(rtl::TStream& stream, bool clearNames) {
  rtl::TReader reader(stream);
  reader.SetLenient(true);
  if (clearNames) reader.OnSetName = [](rtl::TComponent*, std::string& name) { name.clear(); };
  reader.ReadRootComponent(this);
}

void TvgObject::LoadFromBinStream(rtl::TStream& stream) { ReadFromBinStream(stream, false); }

void TvgObject::LoadFromStream(rtl::TStream& stream) {
  rtl::TMemoryStream binary;
  TextToBinary(stream, binary);
  LoadFromBinStream(binary);
}

void TvgObject::IntSaveToBinStream(rtl::TStream& stream) {
  const std::string name = Name();
  SetName("");
  try {
    SaveToBinStream(stream);
  } catch (...) {
    SetName(name);
    throw;
  }
  SetName(name);
}

void TvgObject::IntLoadFromBinStream(rtl::TStream& stream) {
  const bool wasDesigning = ComponentState().Contains(rtl::csDesigning);
  IncludeState(rtl::csDesigning);
  try {
    ReadFromBinStream(stream, true);
  } catch (...) {
    if (!wasDesigning) ExcludeState(rtl::csDesigning);
    throw;
  }
  if (!wasDesigning) ExcludeState(rtl::csDesigning);
}

TvgObject* TvgObject::Clone(rtl::TComponent* owner) {
  rtl::TMemoryStream stream;
  IntSaveToBinStream(stream);
  stream.SetPosition(0);
  auto* clone = static_cast<TvgObject*>(ClassType()->createComponent(owner));
  try {
    clone->IntLoadFromBinStream(stream);
  } catch (...) {
    clone->Free();
    throw;
  }
  return clone;
}

void TvgObject::CloneChildFromStream(rtl::TStream& stream) {
  TvgObject* source = CreateObjectFromStream(this, stream);
  if (!source || source->ChildrenCount() == 0) return;
  DeleteChildren();
  while (TvgObject* child = source->GetChild(0)) {
    if (child->IsVisual()) child->Visual()->SetLocked(true);
    child->SetStored(false);
    child->SetParent(this);
  }
  if (FIsVisual && source->IsVisual()) {
    FVisual->FLastWidth = source->Visual()->Width();
    FVisual->FLastHeight = source->Visual()->Height();
    FVisual->Realign();
  }
}

TvgObject* CreateObjectFromStream(rtl::TComponent* owner, rtl::TStream& stream) {
  try {
    rtl::TMemoryStream binary;
    TextToBinary(stream, binary);
    return CreateObjectFromBinStream(owner, binary);
  } catch (const std::exception&) {
    return nullptr;
  }
}

TvgObject* CreateObjectFromBinStream(rtl::TComponent* owner, rtl::TStream& stream) {
  try {
    rtl::TReader peek(stream);
    rtl::TClass cls = rtl::GetClass(peek.PeekRootClassName());
    if (!cls || !cls->createComponent || !cls->InheritsFrom(TvgObject::StaticClass())) return nullptr;
    auto* node = static_cast<TvgObject*>(cls->createComponent(owner));
    try {
      node->IntLoadFromBinStream(stream);
    } catch (const std::exception&) {
      node->Free();
      return nullptr;
    }
    return node;
  } catch (const std::exception&) {
    return nullptr;
  }
}

TvgObject* LoadObjectFromStream(TvgObject* node, rtl::TStream& stream) {
  try {
    rtl::TMemoryStream binary;
    TextToBinary(stream, binary);
    if (!node) return nullptr;
    node->IntLoadFromBinStream(binary);
    return node;
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace vg
