// SPDX-License-Identifier: Apache-2.0
#pragma once
#include "orvane/OrvaneExport.h"
#include "orvane/layout/ResponsiveLayoutStrategyInfo.h"

#include <memory>
#include <vector>

namespace orvane {

class LayoutConstraint;
class LayoutContext;
class LayoutProxy;
class ResponsiveLayoutStrategy;

/// The steps of a responsive layout pass, all static, working on a
/// ResponsiveLayoutStrategyInfo. ResponsiveLayoutStrategy::layout runs them in
/// this order: calculateEffectiveMinimumPrimarySizes,
/// determineNumberOfChildrenPerLine, determinePrimarySizesAndPositions,
/// calculateSecondaryPreferredSizes, calculateMinMaxSecondarySizesPerLine,
/// applySecondaryMinAndPreferredSizes, applyRemainingSecondarySpace,
/// fitChildrenToContainerSecondarySize, sizeAndPositionChildren.
///
/// Rules of the size queries
/// - Additional space of an element along an axis (calculateAdditionalSpaceNeeded):
///   what it needs besides its content: vertically headerHeight + footerHeight +
///   additionalContentHeight, horizontally leftSpace + rightSpace +
///   additionalContentWidth, plus twice (padding + borderThickness) on both.
///   The same bands frame a responsive container's content area.
/// - Minimum (getMinimumSize): the constraint's minimum along the axis; for a
///   child whose size follows its children (isConstrainedBasedOnChildren: it
///   has children and a strategy, and considerChildrenForSizeCalculations is
///   set) at least what its children need plus its additional space: along the
///   axis its children wrap (a responsive child's primary axis) the largest
///   child minimum; along a responsive child's secondary axis the sum of its
///   lines' largest minimums, lines holding as many children as it has weights
///   (all in one line without weights); for tiled and slide children the sum
///   along their orientation (with gaps, and insets for slides) and the largest
///   across, except that the width of tiles that may re-flow (a reflow
///   strategy, or a tiled one when the context enables tile reflow) is the
///   widest tile's; for stack and relative children the largest. When `reserve` is
///   false or the context's reserveSpaceForMinimum is off, the minimum is
///   capped at the space still available.
/// - Preferred primary size (getPreferredSize): with weights in use, the
///   child's weight (by its place in its line) shares the available primary
///   size among the children of its line, in whole pixels that add up exactly
///   to that size; otherwise the constraint's width (HORIZONTAL) or height
///   (VERTICAL), relative units against the percentage reference; otherwise,
///   for a container whose `grow` is set, getGrowContainerPreferredSize; for
///   any other child whose preferred-size behaviour is HONORSIZE, the content's
///   answer to a PREFERRED_WIDTH_REQUEST / PREFERRED_HEIGHT_REQUEST (for the
///   available secondary size less the child's additional space) plus its
///   additional space; else none (0).
/// - Maximum (getMaximumSize): the constraint's maximum (none when NaN or
///   infinite), lowered to the preferred size when usePreferredSizeAsMaximum.
/// - Flexibility: a child may grow along an axis when its flexibility there is
///   GROWABLE or FLEXIBLE or its growHorizontal / growVertical flag is set, and
///   shrink when SHRINKABLE or FLEXIBLE; lockUserWidth / lockUserHeight fix
///   the axis (neither).
/// - Preferred secondary size of a container (calculatePreferredSecondarySizeForContainer):
///   what its children need along that axis for the given primary size: for a
///   responsive child whose lines stack along that axis, its children are
///   broken into lines at their minimum sizes (and weight count) within the
///   primary size less its additional space, each line as high as its tallest
///   child's preferred size; along the axis its children follow each other,
///   their sum; tiled and slide children add up along their orientation, stack
///   and relative children take the largest (stacked children are asked at
///   the size inside the context's containerInset); tiles that will re-flow at
///   the given width (TiledReflowLayoutStrategy::reflows) are measured by the
///   rows the reflow makes, every row as high as the tallest row needs (its
///   tiles' preferred heights at their row widths, at least their reflow
///   minimum heights), because the rows share the height equally; plus its
///   additional space.
///   getGrowContainerPreferredSize is the same measure along the primary axis.
///
/// Rules of the secondary axis
/// - Lines get at least their minimum (the largest minimum of their children)
///   first. With overflow SCROLL or GROW (or an unconstrained secondary axis)
///   each line then gets its preferred size (the largest preferred size of its
///   children, within its maximum) even past the container; with FIT a line
///   starts at its floor (its minimum, raised to the preferred size of children
///   that may not shrink along the secondary axis) and grows toward its
///   preferred size in proportion to what it still wants, as far as the
///   container allows.
/// - Space left in the container (applyRemainingSecondarySpace): when some
///   child has no secondary size of its own, the lines holding such children
///   share it equally (unconstrained variant); otherwise lines holding a child
///   that may grow along the secondary axis share it in proportion to their
///   sizes (constrained variant). Lines stop at their maximum (the largest
///   maximum of their children, when every child has one) and the rest is
///   shared again.
/// - A child takes its line's size, except a child whose secondary size comes
///   from its constraint and that may not grow: it keeps that size (within the
///   line); then each child is capped at its maximumHeight (HORIZONTAL) or
///   maximumWidth (VERTICAL).
/// - Fitting (overflow FIT only): while the lines' extent exceeds the
///   container's secondary size, lines holding children that may shrink along
///   the secondary axis give back the excess in proportion to their sizes,
///   never below the largest minimum (or fixed size) of their children; the
///   lines are then laid out again one after another.
///
/// Scroll bars (handleScrollBarSpace): with the context's handleScrollBarSpace
/// and a positive scrollBarSize, a SCROLL container whose lines overflow the
/// secondary axis gives scrollBarSize of its primary size to a scroll bar, and
/// one whose line overflows the primary axis gives it from its secondary size;
/// the steps then run again, once per axis.
///
/// Non-responsive cases (handleNonResponsiveCases):
/// - Relative (isRelativeLayout: every filtered child has a horizontal or
///   vertical offset): the children are placed as RelativeLayoutStrategy places
///   them, translated by the container's own position when the context's
///   positionTiledContentRelativeToRoot is set (positionChildrenRelativeToRoot).
/// - STACK: the children are stacked top to bottom across the content width
///   (leftSpace and rightSpace kept free), each as high as its constraint's
///   height, else its content's answer to a HEIGHT_REQUEST for that width (a
///   container's own measure), else the larger of its minimum height and the
///   context's defaultMinimumHeight, within its minimum and maximum.
class ORVANE_EXPORT ResponsiveLayoutHelper {
public:
    using Info = ResponsiveLayoutStrategyInfo;

    /// Enabled children whose constraint has no maximumWidth / maximumHeight
    /// of 0 or less (NaN keeps the child), in order.
    static std::vector<std::shared_ptr<LayoutProxy>> getFilteredChildren(const std::shared_ptr<LayoutProxy>& proxy);
    /// The same, also giving each filtered child's constraint (read once).
    static std::vector<std::shared_ptr<LayoutProxy>> getFilteredChildren(
        const std::shared_ptr<LayoutProxy>& proxy, std::vector<std::shared_ptr<LayoutConstraint>>& constraints);
    /// True when the container was placed by the relative or stacked rules.
    static bool handleNonResponsiveCases(Info& info);
    static float calculateAdditionalSpaceNeeded(const LayoutProxy& proxy, bool vertical);
    static float calculateAdditionalSpaceNeeded(const LayoutConstraint* constraint, bool vertical);

    static void calculateEffectiveMinimumPrimarySizes(Info& info);
    static void determineNumberOfChildrenPerLine(Info& info);
    static void determinePrimarySizesAndPositions(Info& info);
    /// `line` is the index of the first child of the line; returns the space left.
    static float applyRemainingPrimarySpaceToUnconstrained(Info& info, size_t line, float space);
    static void applyRemainingPrimarySpaceToConstrained(Info& info, size_t line, float space);
    static void calculateSecondaryPreferredSizes(Info& info);
    static void calculateMinMaxSecondarySizesPerLine(Info& info);
    static void applySecondaryMinAndPreferredSizes(Info& info);
    static void applyRemainingSecondarySpace(Info& info);
    static void applyRemainingSecondarySpaceUnconstrained(Info& info, float space);
    static void applyRemainingSecondarySpaceConstrained(Info& info, float space);
    static void fitChildrenToContainerSecondarySize(Info& info);
    static void sizeAndPositionChildren(Info& info);
    static bool childrenSizeBiggerPrimary(const Info& info);
    static bool childrenSizeBiggerSecondary(const Info& info);
    /// Returns true when it re-ran the steps to make room for a scroll bar.
    static bool handleScrollBarSpace(Info& info, const std::shared_ptr<LayoutProxy>& proxy,
                                     const ResponsiveLayoutStrategy& strategy, bool biggerPrimary, bool biggerSecondary);

    static float getMinimumSize(const Info& info, const LayoutProxy& child, bool vertical, float available, bool reserve);
    /// Preferred size of the index-th filtered child along an axis (0: none).
    static float getPreferredSize(Info& info, size_t child, bool vertical);
    static float getMaximumSize(const Info& info, const LayoutProxy& child, bool vertical, float preferred = 0.0f);
    static float getMaximumSize(const Info& info, const LayoutConstraint* constraint, bool vertical, float preferred = 0.0f);
    static float getGrowContainerPreferredSize(const Info& info, const LayoutProxy& child, bool vertical);
    static float calculatePreferredSecondarySizeForContainer(const Info& info, const LayoutProxy& child,
                                                             float primarySize, bool honorChildren);
    static bool isConstrainedBasedOnChildren(const Info& info, const LayoutProxy& child);
    static bool isRelativeLayout(const Info& info);
    static void positionChildrenRelativeToRoot(Info& info);

    static bool isGrowable(const LayoutProxy& child, bool vertical);
    static bool isGrowable(const LayoutConstraint* constraint, bool vertical);
    static bool isShrinkable(const LayoutConstraint* constraint, bool vertical);
    static bool isShrinkable(const LayoutProxy& child, bool vertical);
    static bool isSizeChangeable(const LayoutProxy& child, bool vertical);

    /// Runs the responsive steps from the effective minimums to the writing of
    /// the bounds (used again when scroll-bar space is reserved).
    static void runSteps(Info& info);

    /// Measures of any proxy, used by the queries above (and by strategies
    /// that size children from their content): the minimum along an axis, and
    /// the preferred size along an axis given the size along the other one.
    static float minimumOf(const LayoutContext& context, const LayoutProxy& proxy, bool vertical, float available,
                           bool reserve);
    static float minimumOf(const LayoutContext& context, const LayoutProxy& proxy, const LayoutConstraint* constraint,
                           bool vertical, float available, bool reserve);
    static float preferredExtent(const LayoutContext& context, LayoutProxy& proxy, bool vertical, float other,
                                 float reference);
    static float contentExtent(const LayoutContext& context, const LayoutProxy& proxy, bool vertical, float other);

    /// The minimum a container child had in its parent's last pass (-1: none),
    /// which an incremental relayout reuses for containers off the changed
    /// path (their subtrees did not change).
    static float measuredMinimum(const LayoutProxy& proxy, bool vertical);
    static void rememberMinimum(LayoutProxy& proxy, bool vertical, float minimum);
};

} // namespace orvane
