"""The game as a screen reader meets it: everything through the accessibility bus (AT-SPI),
nothing through the X server.

Controls are found by what a screen reader knows of them (role, name, description), never
by where they stand, so these helpers work on any display, Wayland included.
"""

import harness

# What toolkits call the action that activates a control; Qt says "Press".
ACTIVATE = ("press", "click")


class Reader:
    def __init__(self, session):
        self.s = session
        self.pyatspi = session.desk.pyatspi

    # ---- the tree -------------------------------------------------------------------------

    def walk(self, node):
        """node's descendants, depth first, in the order the application gives them."""
        for child in node:
            if child is None:
                continue
            yield child
            yield from self.walk(child)

    def top_levels(self):
        app = self.s.app()
        app.clearCache()  # windows come and go, names and states change
        return [w for w in app if w is not None]

    def window_with(self, role, name, what):
        """Waits for the shown top-level window that holds a control of this role and name."""
        def probe():
            for w in self.top_levels():
                if self.showing(w) and self.first(w, role, name) is not None:
                    return w
            return None
        return self.s.wait_until(what, probe)

    def main_window(self):
        # The response box is the main window's alone.
        return self.window_with("text", "Ответ", "the main window on the accessibility bus")

    def all(self, root, role, name=None, description=None):
        root.clearCache()
        return [o for o in self.walk(root)
                if o.getRoleName() == role
                and (name is None or o.name == name)
                and (description is None or o.description == description)]

    def first(self, root, role, name=None, description=None):
        found = self.all(root, role, name, description)
        return found[0] if found else None

    def one(self, root, role, name=None, description=None):
        found = self.all(root, role, name, description)
        if len(found) != 1:
            raise harness.HarnessError(f"expected one {role} named {name!r} described {description!r}, "
                                       f"found {len(found)}")
        return found[0]

    # ---- one object -----------------------------------------------------------------------

    def name(self, obj):
        obj.clearCache()
        return obj.name

    def text(self, obj):
        t = obj.queryText()
        return t.getText(0, t.characterCount)

    def states(self, obj):
        obj.clearCache()
        return obj.getState()

    def showing(self, obj):
        return self.states(obj).contains(self.pyatspi.STATE_SHOWING)

    def enabled(self, obj):
        s = self.states(obj)
        return s.contains(self.pyatspi.STATE_ENABLED) or s.contains(self.pyatspi.STATE_SENSITIVE)

    def actions(self, obj):
        try:
            a = obj.queryAction()
        except NotImplementedError:
            return []
        return [a.getName(i) for i in range(a.nActions)]

    def press(self, obj):
        """Activates a control through its action, as a screen reader's "activate" key does."""
        names = self.actions(obj)
        for i, action in enumerate(names):
            if action.lower() in ACTIVATE:
                if not obj.queryAction().doAction(i):
                    raise harness.HarnessError(f"{obj.getRoleName()} {obj.name!r} refused {action!r}")
                return
        raise harness.HarnessError(f"{obj.getRoleName()} {obj.name!r} has no press action, only {names}")

    def x(self, obj):
        return obj.queryComponent().getExtents(self.pyatspi.DESKTOP_COORDS).x

    # ---- what a screen reader says --------------------------------------------------------

    def reading(self, root, depth=0):
        """root and its descendants as lines: role, name, description, a text's content, the
        actions and the states a screen reader tells."""
        root.clearCache()
        lines = [self._line(root, depth)]
        for child in root:
            if child is not None:
                lines.extend(self.reading(child, depth + 1))
        return lines

    def _line(self, obj, depth):
        parts = [obj.getRoleName(), repr(obj.name)]
        if obj.description:
            parts.append(f"description={obj.description!r}")
        try:
            content = self.text(obj)
            shown = content if len(content) <= 60 else content[:57] + "..."
            parts.append(f"text={shown!r}")
        except NotImplementedError:
            pass
        actions = self.actions(obj)
        if actions:
            parts.append(f"actions={','.join(actions)}")
        states = self.states(obj)
        parts.append(" ".join(n for n, s in (("showing", self.pyatspi.STATE_SHOWING),
                                             ("enabled", self.pyatspi.STATE_ENABLED))
                              if states.contains(s)) or "hidden, disabled")
        return "  " * depth + " ".join(parts)


class Announcements:
    """The events of some kinds that the game sends over the bus, as a screen reader hears
    them. They arrive through this process's GLib main loop, so every wait pumps it."""

    def __init__(self, session, *kinds):
        """Listens from now on. Best before the game starts, so that it knows of the
        listener from its first event on."""
        from gi.repository import GLib
        self._context = GLib.MainContext.default()
        self.s = session
        self.heard = []
        self._kinds = kinds
        self._registry = harness.desktop(session.scale, session.screen_size).pyatspi.Registry
        self._registry.registerEventListener(self._hear, *kinds)

    def close(self):
        self._registry.deregisterEventListener(self._hear, *self._kinds)

    def _hear(self, event):
        try:
            source = (event.source.getRoleName(), event.source.name)
        except Exception:  # noqa: BLE001 - gone already; the event still counts
            source = (None, None)
        self.heard.append((event.type, source, event.detail1, event.detail2, event.any_data))

    def pump(self):
        while self._context.iteration(False):
            pass

    def mark(self):
        """Where the events from now on start."""
        self.pump()
        return len(self.heard)

    def wait(self, what, match, since):
        """Waits for an event since the mark that match(type, (role, name), d1, d2, data) takes."""
        def probe():
            self.pump()
            return next((e for e in self.heard[since:] if match(*e)), None)
        try:
            return self.s.wait_until(what, probe)
        except harness.HarnessError:
            raise harness.HarnessError(f"not announced: {what}; heard since: {self.heard[since:]}") from None
