#!/usr/bin/env python3
"""Writes examples/underbody_line.xml: a realistic underbody line.

Ten stations and a grouping under a root, each station with loading,
joining and sealing operations; a product tree of about sixty parts in
sub-assemblies (fasteners and sealing materials hidden), manufacturing
assemblies, robots, fixtures and weld guns under their father products,
input and output links and cycle times. Every activity is left unplaced so
that the viewer lays the nodes out itself.

  underbody_example.py -o examples/underbody_line.xml
"""

import argparse
import sys

from process_document_xml import DocumentBuilder

PRODUCT_TREE = [
    ("Front floor assembly", True, [
        "Front floor panel", "Tunnel reinforcement", "Seat cross member front",
        "Seat cross member rear", "Front floor side member LH", "Front floor side member RH",
        "Heel board", "Parking brake bracket"]),
    ("Rear floor assembly", True, [
        "Rear floor panel", "Spare wheel well", "Rear cross member",
        "Rear floor side member LH", "Rear floor side member RH", "Rear floor extension LH",
        "Rear floor extension RH", "Jack mount bracket", "Fuel tank bracket LH",
        "Fuel tank bracket RH", "Rear suspension mount LH", "Rear suspension mount RH"]),
    ("Front end assembly", True, [
        "Front longitudinal member LH", "Front longitudinal member RH",
        "Front longitudinal reinforcement LH", "Front longitudinal reinforcement RH",
        "Dash panel", "Dash cross member", "Wheelhouse inner front LH",
        "Wheelhouse inner front RH", "Strut tower LH", "Strut tower RH",
        "Bumper beam bracket LH", "Bumper beam bracket RH", "Engine mount bracket"]),
    ("Sill assembly LH", True, ["Sill inner LH", "Sill reinforcement LH", "Jacking point bracket LH"]),
    ("Sill assembly RH", True, ["Sill inner RH", "Sill reinforcement RH", "Jacking point bracket RH"]),
    ("Fasteners", False, [
        "Weld stud M6x20", "Weld stud M8x25", "Weld nut M8", "Ground stud M6", "Clip stud T-type"]),
    ("Joining materials", False, [
        "Seam sealer PVC", "Structural adhesive 1K epoxy", "Anti-flutter adhesive"]),
]


def build(doc):
    underbody = doc.product(None, "Underbody complete")
    part = {}
    group = {}
    for group_name, shown, parts in PRODUCT_TREE:
        group[group_name] = doc.product(underbody, group_name, shown)
        for name in parts:
            # Part numbers are the aliases of the parts.
            part[name] = doc.product(group[group_name], name, alias="5U0 %03d %03d" % (
                800 + len(part) // 10, 100 + len(part)))
    # One hidden part inside a shown sub-assembly makes that sub-assembly partial.
    part["Heel board brace"] = doc.product(group["Front floor assembly"], "Heel board brace",
                                           shown=False)

    robots = doc.resource(None, "Robots", "Folder")
    fixtures = doc.resource(None, "Fixtures", "Folder")
    guns = doc.resource(None, "Weld guns", "Folder")
    heads = doc.resource(None, "Stud welding heads", "Folder")
    nozzles = doc.resource(None, "Dispensing nozzles", "Folder")

    front_floor = doc.assembly("MA Front floor", [
        group["Front floor assembly"], part["Front floor panel"], part["Tunnel reinforcement"]])
    rear_floor = doc.assembly("MA Rear floor", [
        group["Rear floor assembly"], part["Rear floor panel"], part["Spare wheel well"]])
    front_end = doc.assembly("MA Front end", [group["Front end assembly"], part["Dash panel"]])
    doc.assembly("MA Underbody", [underbody, front_floor, rear_floor, front_end])

    root = doc.activity(None, "BIWActivityRoot", "Underbody line")
    root_start, root_stop = doc.start_stop(root)
    doc.attribute(root, "Plant", "string", "Body shop hall 2")
    doc.attribute(root, "Jobs per hour", "long", 60)

    def station(parent, code, title, cycle, inputs, output, operations):
        activity = doc.activity(parent, "BIWActivityStation", "%s %s" % (code, title),
                                cycle_time=cycle)
        for product in inputs:
            doc.product_input(activity, product)
        doc.product_output(activity, output)
        doc.assign_resource(activity, doc.resource(fixtures, "Fixture %s" % code, "Fixture"))
        start, stop = doc.start_stop(activity)
        made = []
        for number, (type_name, label, items, tools) in enumerate(operations, 1):
            operation = doc.activity(activity, type_name, "%s-%02d %s" % (code, number * 10, label))
            for item in items:
                doc.assign_item(operation, item)
            for tool in tools:
                doc.assign_resource(operation, tool)
            # What the status bars of the joining operations report.
            if type_name == "BIWActivitySpotWelding":
                spots = 8 * (number + len(tools))
                doc.attribute(operation, "WeldSpots", "long", spots)
                doc.attribute(operation, "WeldTime", "double", round(spots * 0.9, 1))
            elif type_name in ("BIWActivityArcWelding", "BIWActivitySealantApplication",
                               "BIWActivityAdhesiveApplication"):
                doc.attribute(operation, "SeamLength", "long", 450 + 150 * number)
            made.append(operation)
        previous = start
        for operation in made:
            doc.link(activity, previous, operation)
            previous = operation
        doc.link(activity, previous, stop)
        return activity

    def robot(code, n):
        return doc.resource(robots, "Robot %s-R%02d" % (code, n), "Robot")

    def gun(code, n, kind="X-type 4.5 kN"):
        return doc.resource(guns, "Weld gun %s-G%02d %s" % (code, n, kind), "WeldGun")

    p = part
    ff = [p[n] for n in PRODUCT_TREE[0][2]]
    rf = [p[n] for n in PRODUCT_TREE[1][2]]
    fe = [p[n] for n in PRODUCT_TREE[2][2]]
    studs = [p["Weld stud M6x20"], p["Weld stud M8x25"], p["Ground stud M6"]]

    stations = []
    stations.append(station(root, "UB010", "Floor framing", 52.0, ff[:4], group["Front floor assembly"], [
        ("BIWActivityLoading", "Load floor panel and tunnel", ff[:2], [robot("UB010", 1)]),
        ("BIWActivityLoading", "Load seat cross members", ff[2:4], [robot("UB010", 2)]),
        ("BIWActivitySpotWelding", "Geometry spot welds", [],
         [robot("UB010", 3), gun("UB010", 1)]),
    ]))
    stations.append(station(root, "UB020", "Front floor respot", 48.5,
                            [group["Front floor assembly"]] + ff[4:], group["Front floor assembly"], [
        ("BIWActivityLoading", "Load side members and heel board", ff[4:7], [robot("UB020", 1)]),
        ("BIWActivitySpotWelding", "Respot side members", [], [robot("UB020", 2), gun("UB020", 1)]),
        ("BIWActivityStudWelding", "Tunnel studs", studs[:1], [doc.resource(heads, "Stud head UB020-S01", "StudWeldingHead")]),
    ]))

    rear_cell = doc.activity(root, "BIWActivityGrouping", "Rear floor cell", cycle_time=55.0)
    cell_start, cell_stop = doc.start_stop(rear_cell)
    doc.attribute(rear_cell, "Cell supplier", "string", "Line builder A")
    ub030 = station(rear_cell, "UB030", "Rear floor framing", 51.0, rf[:6], group["Rear floor assembly"], [
        ("BIWActivityLoading", "Load rear floor panel and well", rf[:2], [robot("UB030", 1)]),
        ("BIWActivityLoading", "Load rear side members", rf[2:5], [robot("UB030", 2)]),
        ("BIWActivitySpotWelding", "Geometry spot welds", [], [robot("UB030", 3), gun("UB030", 1)]),
        ("BIWActivityClinching", "Clinch extension flanges", rf[5:7], [robot("UB030", 4)]),
    ])
    ub040 = station(rear_cell, "UB040", "Rear floor respot", 55.0,
                    [group["Rear floor assembly"]] + rf[6:], group["Rear floor assembly"], [
        ("BIWActivityLoading", "Load brackets and mounts", rf[7:], [robot("UB040", 1)]),
        ("BIWActivitySpotWelding", "Respot brackets", [], [robot("UB040", 2), gun("UB040", 1)]),
        ("BIWActivityStudWelding", "Rear floor studs", studs[1:], [doc.resource(heads, "Stud head UB040-S01", "StudWeldingHead")]),
        ("BIWActivitySealantApplication", "Seal spare wheel well", [p["Seam sealer PVC"]],
         [robot("UB040", 3), doc.resource(nozzles, "Sealing nozzle UB040-N01", "Nozzle")]),
    ])
    doc.link(rear_cell, cell_start, ub030)
    doc.link(rear_cell, ub030, ub040)
    doc.link(rear_cell, ub040, cell_stop)
    stations.append(rear_cell)

    stations.append(station(root, "UB050", "Front end framing", 54.0, fe[:8], group["Front end assembly"], [
        ("BIWActivityLoading", "Load longitudinal members", fe[:4], [robot("UB050", 1)]),
        ("BIWActivityLoading", "Load dash and wheelhouses", fe[4:8], [robot("UB050", 2)]),
        ("BIWActivitySpotWelding", "Geometry spot welds", [], [robot("UB050", 3), gun("UB050", 1, "C-type 3.5 kN")]),
        ("BIWActivityArcWelding", "Arc weld strut tower seams", [], [robot("UB050", 4)]),
    ]))
    stations.append(station(root, "UB060", "Front end respot", 50.0,
                            [group["Front end assembly"]] + fe[8:], group["Front end assembly"], [
        ("BIWActivityLoading", "Load strut towers and brackets", fe[8:], [robot("UB060", 1)]),
        ("BIWActivitySpotWelding", "Respot front end", [], [robot("UB060", 2), gun("UB060", 1)]),
        ("BIWActivitySpotGluing", "Glue dash flange", [p["Structural adhesive 1K epoxy"]],
         [robot("UB060", 3), doc.resource(nozzles, "Glue nozzle UB060-N01", "Nozzle")]),
    ]))
    stations.append(station(root, "UB070", "Underbody marriage", 58.0,
                            [group["Front floor assembly"], group["Rear floor assembly"],
                             group["Front end assembly"]], underbody, [
        ("BIWActivityLoading", "Load front end, front and rear floor",
         [group["Front floor assembly"], group["Rear floor assembly"], group["Front end assembly"]],
         [robot("UB070", 1), robot("UB070", 2)]),
        ("BIWActivityAdhesiveApplication", "Anti-flutter beads", [p["Anti-flutter adhesive"]],
         [robot("UB070", 3), doc.resource(nozzles, "Glue nozzle UB070-N01", "Nozzle")]),
        ("BIWActivitySpotWelding", "Marriage spot welds", [], [robot("UB070", 4), gun("UB070", 1), gun("UB070", 2)]),
    ]))
    sills = [p[n] for n in PRODUCT_TREE[3][2] + PRODUCT_TREE[4][2]]
    stations.append(station(root, "UB080", "Sill joining", 56.0, [underbody] + sills, underbody, [
        ("BIWActivityLoading", "Load sill assemblies LH and RH", sills, [robot("UB080", 1), robot("UB080", 2)]),
        ("BIWActivitySpotWelding", "Sill spot welds LH", [], [robot("UB080", 3), gun("UB080", 1)]),
        ("BIWActivitySpotWelding", "Sill spot welds RH", [], [robot("UB080", 4), gun("UB080", 2)]),
    ]))
    stations.append(station(root, "UB090", "Underbody respot", 52.5, [underbody], underbody, [
        ("BIWActivitySpotWelding", "Respot tunnel and floor", [], [robot("UB090", 1), gun("UB090", 1)]),
        ("BIWActivitySpotWelding", "Respot rear floor", [], [robot("UB090", 2), gun("UB090", 2)]),
        ("BIWActivityStudWelding", "Underbody studs", [p["Weld nut M8"], p["Clip stud T-type"]],
         [doc.resource(heads, "Stud head UB090-S01", "StudWeldingHead")]),
    ]))
    stations.append(station(root, "UB100", "Underbody sealing", 49.0, [underbody], underbody, [
        ("BIWActivitySealantApplication", "Seal floor seams", [p["Seam sealer PVC"]],
         [robot("UB100", 1), doc.resource(nozzles, "Sealing nozzle UB100-N01", "Nozzle")]),
        ("BIWActivitySealantApplication", "Seal wheelhouse seams", [p["Seam sealer PVC"]],
         [robot("UB100", 2), doc.resource(nozzles, "Sealing nozzle UB100-N02", "Nozzle")]),
    ]))
    stations.append(station(root, "UB110", "Underbody geometry check and transfer", 45.0,
                            [underbody], underbody, [
        ("BIWActivityLoading", "Unload to body framing conveyor", [underbody], [robot("UB110", 1)]),
    ]))

    # Front end and front floor are built in parallel and meet at the marriage.
    order = {s.attributes["name"].split(" ")[0]: s for s in stations}
    doc.link(root, root_start, order["UB010"])
    doc.link(root, order["UB010"], order["UB020"])
    doc.link(root, root_start, order["Rear"])
    doc.link(root, root_start, order["UB050"])
    doc.link(root, order["UB050"], order["UB060"])
    for before in ("UB020", "Rear", "UB060"):
        doc.link(root, order[before], order["UB070"])
    doc.link(root, order["UB070"], order["UB080"])
    doc.link(root, order["UB080"], order["UB090"])
    doc.link(root, order["UB090"], order["UB100"])
    doc.link(root, order["UB100"], order["UB110"])
    doc.link(root, order["UB110"], root_stop)
    doc.attribute(order["UB070"], "Takt reserve", "double", 0.075)
    doc.attribute(order["UB070"], "Operators", "long", 2)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("-o", "--output", required=True)
    args = parser.parse_args(argv)
    doc = DocumentBuilder()
    build(doc)
    doc.write(args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
