#include "ui/core/vg_resourcelink.h"

namespace vg {

TvgFindResourceFunc vgFindResource = nullptr;

IvgResourceNode* vgFindResourceNode(const std::string& name) {
  return vgFindResource ? vgFindResource(name) : nullptr;
}

void TvgResourceLink::Link(IvgResourceNode* node) {
  Unlink();
  node_ = node;
  if (node_) {
    name_ = node_->GetResourceName();
    node_->AddFreeNotify(this);
  }
}

void TvgResourceLink::Unlink() {
  if (node_) node_->RemoveFreeNotify(this);
  node_ = nullptr;
}

void TvgResourceLink::FreeNotification(IvgFreeNotifier* node) {
  if (node == node_) node_ = nullptr;
}

}  // namespace vg
