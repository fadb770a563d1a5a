"""Writes process documents in the host's XML document format.

The generator scripts build a document in memory with DocumentBuilder and
write it with DocumentBuilder.write(); the output follows
docs/document-format.md and loads with the host's process document reader.
"""

from xml.sax.saxutils import escape

FORMAT_VERSION = "1"

_ATTRIBUTE_ESCAPES = {'"': "&quot;", "\n": "&#10;", "\r": "&#13;", "\t": "&#9;"}


def _quote(value):
    return escape(str(value), _ATTRIBUTE_ESCAPES)


def _number(value):
    """Shortest text that reads back as the same double (repr does that)."""
    if isinstance(value, int):
        return str(value)
    text = repr(float(value))
    return text[:-2] if text.endswith(".0") else text


class Element:
    __slots__ = ("tag", "attributes", "children")

    def __init__(self, tag, attributes):
        self.tag = tag
        self.attributes = attributes
        self.children = []

    def add(self, tag, **attributes):
        child = Element(tag, attributes)
        self.children.append(child)
        return child

    def write(self, out, depth):
        indent = "  " * depth
        text = "".join(
            ' %s="%s"' % (name.rstrip("_"), _quote(value))
            for name, value in self.attributes.items()
            if value is not None
        )
        if not self.children:
            out.append("%s<%s%s/>\n" % (indent, self.tag, text))
            return
        out.append("%s<%s%s>\n" % (indent, self.tag, text))
        for child in self.children:
            child.write(out, depth + 1)
        out.append("%s</%s>\n" % (indent, self.tag))


class DocumentBuilder:
    """Collects the objects of one document and hands out their identifiers."""

    def __init__(self):
        self.root = Element("ProcessDocument", {"version": FORMAT_VERSION})
        self.products = self.root.add("Products")
        self.resources = self.root.add("Resources")
        self.assemblies = self.root.add("Assemblies")
        self.process = self.root.add("Process")
        self._counters = {}

    def _next_id(self, prefix):
        self._counters[prefix] = self._counters.get(prefix, 0) + 1
        return "%s%d" % (prefix, self._counters[prefix])

    def product(self, parent, name, shown=True, alias=None):
        """A product under `parent` (None for a product tree root)."""
        into = parent if parent is not None else self.products
        return into.add("Product", id=self._next_id("P"), name=name, alias=alias,
                        shown=None if shown else "false")

    def resource(self, parent, name, resource_type, shown=True):
        into = parent if parent is not None else self.resources
        return into.add("Resource", id=self._next_id("R"), name=name, type=resource_type,
                        shown=None if shown else "false")

    def assembly(self, name, members):
        element = self.assemblies.add("Assembly", id=self._next_id("M"), name=name)
        for member in members:
            element.add("Member", ref=member.attributes["id"])
        return element

    def activity(self, parent, type_name, name, position=None, cycle_time=None):
        """An activity; `position` (x, y) marks it placed, None leaves it to the layout."""
        into = parent if parent is not None else self.process
        attributes = {"id": self._next_id("A"), "type": type_name, "name": name}
        if cycle_time is not None:
            attributes["cycleTime"] = _number(cycle_time)
        if position is not None:
            attributes["x"] = _number(position[0])
            attributes["y"] = _number(position[1])
            attributes["placed"] = "true"
        return into.add("Activity", **attributes)

    @staticmethod
    def start_stop(activity):
        """Stand-ins for the Start and Stop nodes of an activity, for links."""
        activity_id = activity.attributes["id"]
        return (Element("Start", {"id": activity_id + "/Start"}),
                Element("Stop", {"id": activity_id + "/Stop"}))

    def place_node(self, activity, node, position):
        """Writes the position of a Start or Stop node of `activity`."""
        activity.add(node.tag, x=_number(position[0]), y=_number(position[1]), placed="true")

    @staticmethod
    def link(level, before, after):
        """A precedence link between two nodes of the level of activity `level`."""
        level.add("Link", from_=before.attributes["id"], to=after.attributes["id"])

    @staticmethod
    def product_input(activity, item):
        activity.add("Input", item=item.attributes["id"])

    @staticmethod
    def product_output(activity, item):
        activity.add("Output", item=item.attributes["id"])

    @staticmethod
    def assign_item(activity, item):
        activity.add("AssignedItem", ref=item.attributes["id"])

    @staticmethod
    def assign_resource(activity, resource):
        activity.add("AssignedResource", ref=resource.attributes["id"])

    @staticmethod
    def attribute(owner, name, kind, value):
        text = _number(value) if kind == "double" else str(value)
        owner.add("Attribute", name=name, type=kind, value=text)

    def write(self, path):
        _put_in_canonical_order(self.process)
        out = ['<?xml version="1.0" encoding="UTF-8"?>\n']
        self.root.write(out, 0)
        with open(path, "w", encoding="utf-8", newline="\n") as stream:
            stream.write("".join(out))


# The order in which the host's writer puts the children of an activity.
_CHILD_ORDER = {"Start": 0, "Stop": 1, "Input": 2, "Output": 2, "AssignedItem": 3,
                "AssignedResource": 4, "Attribute": 5, "Activity": 6, "Link": 7}


def _put_in_canonical_order(element):
    """Orders activity contents as the host writes them, so that a generated
    file and the host's save of it are the same bytes: contents by kind, and
    links by source node (Start first, then the children) in creation order."""
    for child in element.children:
        _put_in_canonical_order(child)
    if element.tag != "Activity":
        return
    activity_id = element.attributes["id"]
    sources = {activity_id + "/Start": -1}
    for index, child in enumerate(c for c in element.children if c.tag == "Activity"):
        sources[child.attributes["id"]] = index
    sources[activity_id + "/Stop"] = len(sources)

    def key(child):
        source = sources.get(child.attributes.get("from_"), 0) if child.tag == "Link" else 0
        return (_CHILD_ORDER[child.tag], source)

    element.children.sort(key=key)
