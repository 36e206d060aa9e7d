// The engineer's review of a layer proposal before it is written into the section: the
// minimum thickness it is proposed with, the colour and hatch of each soil group, the symbols
// as the engineer renames them, and which units and links are taken.
//
// The proposal is made from a base section (the points, layers and titles as last committed)
// for the room left after its existing points and layers. When even that does not fit, it is
// made for the whole room instead, and only replacing can write it. What the preview shows is
// what adding (or, when adding cannot, replacing) writes.
//
// A new minimum thickness proposes again; the engineer's symbols and check marks carry over to
// the units and links that keep their proposed symbol. A new group style restyles that group's
// units without proposing again.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/messages.h"
#include "common/soil_name_table.h"
#include "ravesect/document/section_document.h"
#include "ravesect/editing/layer_proposal.h"

namespace ravesect {

class LayerProposalReview {
public:
    LayerProposalReview(SectionDocument base, rave::SoilNameTable jacic, rave::SoilNameTable simple);
    LayerProposalReview(const LayerProposalReview&) = delete;
    LayerProposalReview& operator=(const LayerProposalReview&) = delete;

    const SectionDocument& Base() const { return base_; }
    // The placed logs with layers the proposal reads (fewer than two: nothing to propose).
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    // Why the logs cannot be proposed from (two at one distance, an elevation the file cannot
    // hold), cp932; empty when they can. Nothing is proposed while there is one.
    const std::string& ColumnsProblem() const { return columnsProblem_; }
    const LayerProposal& Proposal() const { return proposal_; }

    double MinThickness() const { return minThickness_; }
    void SetMinThickness(double metres);
    double Band() const { return band_; }
    void SetBand(double metres);
    const GroupStyle& Style(SoilGroup group) const { return styles_[static_cast<std::size_t>(group)]; }
    void SetGroupStyle(SoilGroup group, GroupStyle style);
    // The groups of the proposed units, each once, in the order of the units.
    std::vector<SoilGroup> Groups() const;

    // cp932; an empty symbol keeps the one proposed. The symbol is written as a title, so it is
    // checked as the title dialog checks a text: false, after a message, for a line break, "$$" or
    // a text longer than a title line holds.
    bool SetSymbol(int unit, const std::string& symbol, rave::MessageSink& messages);
    void SetUnitAccepted(int unit, bool accepted);
    void SetLinkAccepted(int link, bool accepted);
    // True when the unit is accepted and none of its links is rejected: it is written.
    bool Written(int unit) const;
    int WrittenCount() const;

    // Adding after the existing points and layers fits; replacing them fits.
    bool CanAdd() const { return addable_; }
    bool CanReplace() const { return proposal_.fits; }
    // The base with the proposal added (or, when only replacing fits, replaced); the base itself
    // when neither fits.
    SectionDocument Preview() const;
    // The base with the proposal written, or nothing when it does not fit.
    std::optional<SectionDocument> Result(bool replace) const;

private:
    struct UnitEdit {
        std::string proposed;
        std::string symbol;
        bool accepted = true;
    };
    struct LinkEdit {
        std::string key;
        bool accepted = true;
    };
    void Propose();
    std::string LinkKey(const ProposalLink& link) const;

    SectionDocument base_;
    rave::SoilNameTable jacic_;
    rave::SoilNameTable simple_;
    SoilGroupClassifier classifier_;
    std::vector<ProposalColumn> columns_;
    std::string columnsProblem_;
    double minThickness_ = 0.3;
    double band_ = 1.0;
    GroupStyleTable styles_ = DefaultGroupStyles();
    LayerProposal proposal_;
    std::vector<std::string> proposedSymbols_;  // per unit, before the engineer's renaming
    bool addable_ = false;
    std::vector<UnitEdit> unitEdits_;
    std::vector<LinkEdit> linkEdits_;
};

}  // namespace ravesect
