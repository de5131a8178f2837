// SPDX-License-Identifier: GPL-3.0-or-later
#include "Accessibility.h"

#include "Fonts.h"
#include "FormPainter.h"
#include "FormWidget.h"
#include "app/Form1.h"
#include "text/DisplayCode.h"
#include "text/Trim.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QLineEdit>
#include <QWindow>
#include <algorithm>
#include <map>
#include <utility>

namespace kvz::desktop {

namespace {

// What a node of the tree stands for: a control, the prize ladder as one list, a rung of
// it, or the live line that carries the game's announcements.
enum class NodeKind { Control, Ladder, Rung, Announcer };

bool isLadderPart(const Control& c) {
    return (c.name == "Label3" && c.index >= 1) || c.name == "lblCIFRA";
}

// The picture of a joker already used: it stands beside the available one, at odd indices.
bool isUsedJoker(const Control& c) {
    return c.name == "Image2" && c.index % 2 == 1 && c.index < 6;
}

// Controls read as something of their own: not the window, not the bars of the audience
// chart (their shares are read from the labels above them), not the name box (a real line
// edit with its own accessible interface), not the rungs (read inside the ladder) and not
// an empty label, which says nothing.
bool readable(const Form1& form, const Control& c) {
    const bool empty = c.kind == ControlKind::Label && trimmed(c.caption, " ").empty();
    return &c != &form.Form && &c != &form.Text1 && c.kind != ControlKind::Shape &&
           !isLadderPart(c) && !empty;
}

// A tooltip names a picture: its words in the player's letters, the key in brackets as the
// keyboard shows it ("Фифти/фифти (F)").
QString tipName(const std::string& tip, Script script) {
    std::string words = tip, key;
    if (const std::size_t open = tip.rfind(" ("); open != std::string::npos && tip.ends_with(')')) {
        words = tip.substr(0, open);
        key = tip.substr(open);
    }
    const ConversionResult display = toDisplayCode(words);
    const std::u32string letters = display.ok() ? displayIn(display.text, script) : U"";
    const QString shown =
        display.ok() ? QString::fromUcs4(letters.data(), static_cast<qsizetype>(letters.size()))
                     : QString::fromStdString(words);
    return shown + QString::fromStdString(key);
}

using Nodes = std::vector<QAccessibleInterface*>;

QAccessibleInterface* childIn(const Nodes& all, int index) {
    return index >= 0 && index < static_cast<int>(all.size()) ? all[static_cast<std::size_t>(index)]
                                                              : nullptr;
}

int indexIn(const Nodes& all, const QAccessibleInterface* child) {
    const auto at = std::find(all.begin(), all.end(), child);
    return at == all.end() ? -1 : static_cast<int>(at - all.begin());
}

class GameAccessible;

// One node below the window: a control, the ladder, a rung or the announcer.
class Node : public QAccessibleInterface, public QAccessibleActionInterface {
  public:
    Node(GameAccessible& root, NodeKind kind, Control* control)
        : root_(root), kind_(kind), control_(control) {}

    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int index) const override;
    int childCount() const override { return static_cast<int>(children().size()); }
    int indexOfChild(const QAccessibleInterface* child) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface && pressable()
                   ? static_cast<QAccessibleActionInterface*>(this)
                   : nullptr;
    }

    QStringList actionNames() const override {
        return pressable() ? QStringList{pressAction()} : QStringList{};
    }
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    bool pressable() const { return kind_ == NodeKind::Control && control_->handCursor; }
    Nodes children() const;
    QString name() const;

    GameAccessible& root_;
    NodeKind kind_;
    Control* control_;
};

// The window's interface: its children are the nodes of the shown controls in reading order
// (top to bottom, then left to right), the name box and the announcer.
class GameAccessible : public QAccessibleWidget {
  public:
    explicit GameAccessible(FormWidget* window)
        : QAccessibleWidget(window, QAccessible::Client, QStringLiteral("Kvizomat")) {}

    ~GameAccessible() override {
        for (const auto& [key, id] : ids_) QAccessible::deleteAccessibleInterface(id);
    }

    FormWidget& gameWindow() const { return *static_cast<FormWidget*>(widget()); }
    Form1& form() const { return gameWindow().form(); }

    int childCount() const override { return static_cast<int>(topLevel().size()); }
    QAccessibleInterface* child(int index) const override { return childIn(topLevel(), index); }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return indexIn(topLevel(), child);
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint p(x, y);
        const auto all = topLevel();
        for (auto it = all.rbegin(); it != all.rend(); ++it)
            if ((*it)->rect().contains(p)) return *it;
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        if (const Control* c = gameFocus(gameWindow())) return node(NodeKind::Control, c);
        return QAccessibleWidget::focusChild();
    }

    // The node of a control, the ladder, a rung or the announcer, made once.
    Node* node(NodeKind kind, const Control* c) const {
        auto* self = const_cast<GameAccessible*>(this);
        auto key = std::make_pair(kind, c);
        if (auto found = ids_.find(key); found != ids_.end())
            return static_cast<Node*>(QAccessible::accessibleInterface(found->second));
        auto* made = new Node(*self, kind, const_cast<Control*>(c));
        self->ids_[key] = QAccessible::registerAccessibleInterface(made);
        return made;
    }

    // The shown controls held by `frame` (the window's own for none), in reading order.
    Nodes nodesIn(const Control* frame) const {
        std::vector<const Control*> shown;
        for (const Control* c : form().controls())
            if (c->parent == frame && c->shown() && readable(form(), *c)) shown.push_back(c);
        if (frame == nullptr && form().Label3[1].shown()) shown.push_back(&form().Label3[1]);
        std::stable_sort(shown.begin(), shown.end(), [](const Control* a, const Control* b) {
            const QRectF ra = windowRect(*a), rb = windowRect(*b);
            return std::pair(ra.top(), ra.left()) < std::pair(rb.top(), rb.left());
        });
        Nodes out;
        for (const Control* c : shown)
            out.push_back(node(isLadderPart(*c) ? NodeKind::Ladder : NodeKind::Control,
                               isLadderPart(*c) ? nullptr : c));
        return out;
    }

    QAccessibleInterface* announcer() const { return node(NodeKind::Announcer, nullptr); }
    QString announcement;             // the last thing the game said, in the player's letters
    const Control* focused = nullptr; // the control last reported as focused

  private:
    Nodes topLevel() const {
        Nodes all = nodesIn(nullptr);
        if (gameWindow().nameBox().isVisible())
            all.insert(all.begin(), QAccessible::queryAccessibleInterface(&gameWindow().nameBox()));
        all.push_back(announcer());
        return all;
    }

    mutable std::map<std::pair<NodeKind, const Control*>, QAccessible::Id> ids_;
};

QWindow* Node::window() const {
    return root_.gameWindow().windowHandle();
}

QAccessibleInterface* Node::parent() const {
    if (kind_ == NodeKind::Rung) return root_.node(NodeKind::Ladder, nullptr);
    if (kind_ == NodeKind::Control && control_->parent != nullptr)
        return root_.node(NodeKind::Control, control_->parent);
    return &root_;
}

Nodes Node::children() const {
    if (kind_ == NodeKind::Ladder) {
        Nodes rungs;
        for (int i = 1; i <= 15; ++i)
            if (root_.form().lblCIFRA[i].shown())
                rungs.push_back(root_.node(NodeKind::Rung, &root_.form().Label3[i]));
        return rungs;
    }
    if (kind_ == NodeKind::Control && control_->kind == ControlKind::Frame)
        return root_.nodesIn(control_);
    return {};
}

QAccessibleInterface* Node::child(int index) const {
    return childIn(children(), index);
}

int Node::indexOfChild(const QAccessibleInterface* child) const {
    return indexIn(children(), child);
}

QString Node::name() const {
    const Script script = root_.gameWindow().script();
    switch (kind_) {
    case NodeKind::Announcer:
        return root_.announcement;
    case NodeKind::Ladder:
        return shownText(kDisplayFont, "Nagrade", script);
    case NodeKind::Rung: {
        const Control& amount = root_.form().lblCIFRA[control_->index];
        return shownText(control_->font, control_->caption, script).trimmed() + QLatin1Char(' ') +
               shownText(amount.font, amount.caption, script).trimmed();
    }
    case NodeKind::Control:
        break;
    }
    const Control& c = *control_;
    if (c.kind == ControlKind::PictureBox) {
        QStringList lines;
        for (const DrawnLine& l : c.lines) lines << shownText(l.font, l.text, script).trimmed();
        return lines.join(QLatin1Char(' '));
    }
    if (c.kind == ControlKind::Image) {
        // A used joker is named as the joker it was.
        const Control& named = isUsedJoker(c) ? root_.form().Image2[c.index - 1] : c;
        return tipName(named.tooltip, script);
    }
    return shownText(c.font, c.caption, script).simplified();
}

QString Node::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) return name();
    if (t == QAccessible::Help && kind_ == NodeKind::Control && !control_->tooltip.empty() &&
        control_->kind != ControlKind::Image)
        return tipName(control_->tooltip, root_.gameWindow().script());
    return {};
}

QRect Node::rect() const {
    FormWidget& w = root_.gameWindow();
    QRectF twips;
    if (kind_ == NodeKind::Announcer) return {};
    if (kind_ == NodeKind::Ladder) {
        for (int i = 1; i <= 15; ++i)
            twips |= windowRect(root_.form().Label3[i]) | windowRect(root_.form().lblCIFRA[i]);
    } else if (kind_ == NodeKind::Rung) {
        twips = windowRect(*control_) | windowRect(root_.form().lblCIFRA[control_->index]);
    } else {
        twips = windowRect(*control_);
    }
    const QRect local = w.onScreen(twips);
    return QRect(w.mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role Node::role() const {
    switch (kind_) {
    case NodeKind::Announcer:
        return QAccessible::StaticText;
    case NodeKind::Ladder:
        return QAccessible::List;
    case NodeKind::Rung:
        return QAccessible::ListItem;
    case NodeKind::Control:
        break;
    }
    if (control_->handCursor) return QAccessible::Button;
    switch (control_->kind) {
    case ControlKind::Frame:
        return QAccessible::Grouping;
    case ControlKind::Image:
        return QAccessible::Graphic;
    default:
        return QAccessible::StaticText;
    }
}

QAccessible::State Node::state() const {
    QAccessible::State s;
    Form1& form = root_.form();
    if (kind_ == NodeKind::Rung) {
        s.selectable = true;
        s.selected = control_->back == kOrange;
    }
    if (kind_ != NodeKind::Control) return s;
    const bool answer = control_->name == "lblKviz" && control_->index >= 1;
    if (answer) {
        s.selectable = true;
        s.selected = form.Frame1.visible && form.SelectedAnswer == control_->index;
    }
    s.disabled = isUsedJoker(*control_);
    if (control_ == gameFocus(root_.gameWindow())) {
        s.focusable = true;
        s.focused = true;
    }
    return s;
}

void Node::doAction(const QString& name) {
    if (name == pressAction() && pressable()) root_.gameWindow().press(*control_);
}

GameAccessible* treeOf(FormWidget& window) {
    return dynamic_cast<GameAccessible*>(QAccessible::queryAccessibleInterface(&window));
}

QAccessibleInterface* gameFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("QWidget")) return nullptr;
    if (auto* w = dynamic_cast<FormWidget*>(object)) return new GameAccessible(w);
    return nullptr;
}

} // namespace

void installAccessibility() {
    QAccessible::installFactory(gameFactory);
}

const Control* gameFocus(FormWidget& window) {
    Form1& form = window.form();
    const int marked = form.SelectedAnswer;
    if (form.Frame1.visible && marked >= 1 && marked <= 4 && form.lblKviz[marked].shown())
        return &form.lblKviz[marked];
    return form.lblKviz[0].shown() ? &form.lblKviz[0] : nullptr;
}

void announce(FormWidget& window, const QString& text, SayPriority priority) {
    if (!QAccessible::isActive()) return;
    GameAccessible* tree = treeOf(window);
    if (tree == nullptr) return;
    tree->announcement = text;
    QAccessibleEvent changed(tree->announcer(), QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    if (priority == SayPriority::Assertive) {
        QAccessibleEvent alert(tree->announcer(), QAccessible::Alert);
        QAccessible::updateAccessibility(&alert);
    }
}

void followGameFocus(FormWidget& window) {
    if (!QAccessible::isActive()) return;
    GameAccessible* tree = treeOf(window);
    if (tree == nullptr) return;
    const Control* now = gameFocus(window);
    if (now == tree->focused) return;
    tree->focused = now;
    if (now == nullptr) return;
    QAccessibleEvent focus(tree->node(NodeKind::Control, now), QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

} // namespace kvz::desktop
