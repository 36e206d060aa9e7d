// The review of a layer proposal: proposing again with the engineer's edits carried over, and
// the section as it would be written.
#include "ravesect/editing/layer_proposal_review.h"

#include <algorithm>

#include "common/field_validation.h"
#include "common/format.h"
#include "ravesect/editing/editing_messages.h"
#include "ravesect/editing/layer_proposal_io.h"
#include "ravesect/editing/title_list.h"

namespace ravesect {

LayerProposalReview::LayerProposalReview(SectionDocument base, rave::SoilNameTable jacic,
                                         rave::SoilNameTable simple)
    : base_(std::move(base)),
      jacic_(std::move(jacic)),
      simple_(std::move(simple)),
      classifier_(&jacic_, &simple_),
      columns_(ProposalColumnsOf(base_)),
      columnsProblem_(ProposalColumnsProblem(columns_)) {
    Propose();
}

std::string LayerProposalReview::LinkKey(const ProposalLink& link) const {
    const std::size_t unit = static_cast<std::size_t>(link.unit);
    return rave::FormatText("%d>%d ", proposal_.columns[static_cast<std::size_t>(link.fromColumn)].slot,
                            proposal_.columns[static_cast<std::size_t>(link.toColumn)].slot) +
           (unit < proposedSymbols_.size() ? proposedSymbols_[unit] : std::string()) + ' ' +
           LinkKindKey(link.kind);
}

void LayerProposalReview::Propose() {
    if (columns_.size() < 2 || !columnsProblem_.empty()) {
        proposal_ = {};
        proposal_.fits = false;
        addable_ = false;
        proposedSymbols_.clear();
        return;
    }
    ProposalOptions options;
    options.minThickness = minThickness_;
    options.band = band_;
    options.styles = styles_;
    SetRoomFromDocument(options, base_, false);
    proposal_ = ProposeLayers(columns_, classifier_, options);
    addable_ = proposal_.fits;
    if (!addable_) {
        SetRoomFromDocument(options, base_, true);
        proposal_ = ProposeLayers(columns_, classifier_, options);
    }
    proposedSymbols_.clear();
    for (ProposedUnit& unit : proposal_.units) {
        proposedSymbols_.push_back(unit.symbol);
        const auto edit = std::find_if(unitEdits_.begin(), unitEdits_.end(),
                                       [&](const UnitEdit& e) { return e.proposed == unit.symbol; });
        if (edit != unitEdits_.end()) {
            unit.accepted = edit->accepted;
            unit.symbol = edit->symbol;
        }
    }
    for (ProposalLink& link : proposal_.links) {
        const std::string key = LinkKey(link);
        const auto edit = std::find_if(linkEdits_.begin(), linkEdits_.end(),
                                       [&](const LinkEdit& e) { return e.key == key; });
        if (edit != linkEdits_.end()) {
            link.accepted = edit->accepted;
        }
    }
}

void LayerProposalReview::SetMinThickness(double metres) {
    minThickness_ = std::max(0.0, metres);
    Propose();
}

void LayerProposalReview::SetBand(double metres) {
    band_ = std::max(0.0, metres);
    Propose();
}

void LayerProposalReview::SetGroupStyle(SoilGroup group, GroupStyle style) {
    styles_[static_cast<std::size_t>(group)] = style;
    for (ProposedUnit& unit : proposal_.units) {
        if (unit.group == group) {
            unit.style = style;
        }
    }
}

std::vector<SoilGroup> LayerProposalReview::Groups() const {
    std::vector<SoilGroup> groups;
    for (const ProposedUnit& unit : proposal_.units) {
        if (std::find(groups.begin(), groups.end(), unit.group) == groups.end()) {
            groups.push_back(unit.group);
        }
    }
    return groups;
}

bool LayerProposalReview::SetSymbol(int unit, const std::string& symbol, rave::MessageSink& messages) {
    ProposedUnit& target = proposal_.units.at(static_cast<std::size_t>(unit));
    const std::string& proposed = proposedSymbols_[static_cast<std::size_t>(unit)];
    // The proposal writes its titles in font 1.
    if (!rave::CheckStorableText(symbol, messages)) {
        return false;
    }
    if (const std::size_t limit = TitleTextLimit(symbol, "1"); symbol.size() > limit) {
        messages.Show(TitleTooLongMessage(limit));
        return false;
    }
    target.symbol = symbol.empty() ? proposed : symbol;
    const auto edit = std::find_if(unitEdits_.begin(), unitEdits_.end(),
                                   [&](const UnitEdit& e) { return e.proposed == proposed; });
    if (edit != unitEdits_.end()) {
        edit->symbol = target.symbol;
    } else {
        unitEdits_.push_back({proposed, target.symbol, target.accepted});
    }
    return true;
}

void LayerProposalReview::SetUnitAccepted(int unit, bool accepted) {
    ProposedUnit& target = proposal_.units.at(static_cast<std::size_t>(unit));
    target.accepted = accepted;
    const std::string& proposed = proposedSymbols_[static_cast<std::size_t>(unit)];
    const auto edit = std::find_if(unitEdits_.begin(), unitEdits_.end(),
                                   [&](const UnitEdit& e) { return e.proposed == proposed; });
    if (edit != unitEdits_.end()) {
        edit->accepted = accepted;
    } else {
        unitEdits_.push_back({proposed, target.symbol, accepted});
    }
}

void LayerProposalReview::SetLinkAccepted(int link, bool accepted) {
    ProposalLink& target = proposal_.links.at(static_cast<std::size_t>(link));
    target.accepted = accepted;
    const std::string key = LinkKey(target);
    const auto edit =
        std::find_if(linkEdits_.begin(), linkEdits_.end(), [&](const LinkEdit& e) { return e.key == key; });
    if (edit != linkEdits_.end()) {
        edit->accepted = accepted;
    } else {
        linkEdits_.push_back({key, accepted});
    }
}

bool LayerProposalReview::Written(int unit) const {
    if (!proposal_.units.at(static_cast<std::size_t>(unit)).accepted) {
        return false;
    }
    return std::none_of(proposal_.links.begin(), proposal_.links.end(),
                        [unit](const ProposalLink& link) { return link.unit == unit && !link.accepted; });
}

int LayerProposalReview::WrittenCount() const {
    int count = 0;
    for (int u = 0; u < static_cast<int>(proposal_.units.size()); ++u) {
        count += Written(u) ? 1 : 0;
    }
    return count;
}

std::optional<SectionDocument> LayerProposalReview::Result(bool replace) const {
    if (!proposal_.fits || (!replace && !addable_)) {
        return std::nullopt;
    }
    SectionDocument result = base_;
    if (!ApplyProposal(result, proposal_, replace)) {
        return std::nullopt;
    }
    return result;
}

SectionDocument LayerProposalReview::Preview() const {
    if (std::optional<SectionDocument> shown = Result(!addable_)) {
        return std::move(*shown);
    }
    return base_;
}

}  // namespace ravesect
