#include "scene/Group.h"
#include "tests/scene/SceneTestNodes.h"

TEST(Container, AddAppendsAndReAddMovesToTheEnd) {
    List c;
    Box a, b, d;
    expectList(c, {});
    c.add(&a);
    c.add(&b);
    c.add(&d);
    expectList(c, {&a, &b, &d});
    c.add(&d); // already the tail: nothing changes
    expectList(c, {&a, &b, &d});
    c.add(&a); // an earlier child moves to the end
    expectList(c, {&b, &d, &a});
    c.add(nullptr);
    expectList(c, {&b, &d, &a});
}

TEST(Container, AddingAnotherContainersChildMovesIt) {
    List one, two;
    Box a, b;
    one.add(&a);
    one.add(&b);
    two.add(&a);
    expectList(one, {&b});
    expectList(two, {&a});
}

TEST(Container, InsertBeforeAndAfter) {
    List c;
    Box a, b, x, y, z;
    c.add(&a);
    c.add(&b);
    c.insertBefore(&x, &a); // before the head: new head
    expectList(c, {&x, &a, &b});
    c.insertAfter(&y, &b); // after the tail: new tail
    expectList(c, {&x, &a, &b, &y});
    c.insertAfter(&z, &a);
    expectList(c, {&x, &a, &z, &b, &y});
    // A child moved within its own list.
    c.insertBefore(&y, &a);
    expectList(c, {&x, &y, &a, &z, &b});
    c.insertAfter(&x, &b);
    expectList(c, {&y, &a, &z, &b, &x});
    // Through the drawable's own operations.
    z.insertBefore(&y);
    expectList(c, {&z, &y, &a, &b, &x});
    z.insertAfter(&x);
    expectList(c, {&y, &a, &b, &x, &z});
}

TEST(Container, InsertIgnoresSelfNullAndForeignReference) {
    List c, other;
    Box a, b, foreign, loose;
    c.add(&a);
    c.add(&b);
    other.add(&foreign);
    c.insertAfter(&a, &a);
    c.insertBefore(&a, &a);
    c.insertAfter(nullptr, &a);
    c.insertAfter(&loose, nullptr);
    c.insertAfter(&loose, &foreign); // reference in another container
    c.insertBefore(&a, &foreign);
    loose.insertAfter(nullptr);
    Box alsoLoose;
    loose.insertBefore(&alsoLoose); // reference without a container
    expectList(c, {&a, &b});
    expectList(other, {&foreign});
    expectDetached(loose);
    // Inserting a child of another container takes it out of there first.
    c.insertBefore(&foreign, &b);
    expectList(c, {&a, &foreign, &b});
    expectList(other, {});
}

TEST(Container, BringToFrontAndSendToBack) {
    List c, other;
    Box a, b, d, foreign;
    other.add(&foreign);
    c.add(&a);
    c.add(&b);
    c.add(&d);
    c.bringToFront(&a);
    expectList(c, {&b, &d, &a});
    c.sendToBack(&d);
    expectList(c, {&d, &b, &a});
    c.bringToFront(&a); // already the tail
    c.sendToBack(&d);   // already the head
    expectList(c, {&d, &b, &a});
    c.bringToFront(&foreign);
    c.sendToBack(&foreign);
    c.bringToFront(nullptr);
    expectList(c, {&d, &b, &a});
    expectList(other, {&foreign});
    b.bringToFront();
    expectList(c, {&d, &a, &b});
    b.sendToBack();
    expectList(c, {&b, &d, &a});

    List single;
    Box only;
    single.add(&only);
    single.bringToFront(&only);
    expectList(single, {&only});
    single.sendToBack(&only);
    expectList(single, {&only});
}

TEST(Container, RemoveUnlinksOnlyOwnChildren) {
    List c, other;
    Box a, b, d, foreign, loose;
    c.add(&a);
    c.add(&b);
    c.add(&d);
    other.add(&foreign);
    c.remove(&foreign);
    c.remove(&loose);
    c.remove(nullptr);
    expectList(c, {&a, &b, &d});
    expectList(other, {&foreign});
    expectDetached(loose);
    c.remove(&b); // middle
    expectList(c, {&a, &d});
    expectDetached(b);
    c.remove(&a); // head
    expectList(c, {&d});
    d.remove(); // through the drawable; also the tail
    expectList(c, {});
    expectDetached(d);
    d.remove(); // detached: nothing happens
    expectDetached(d);
}

TEST(Container, ClearDetachesWithoutDeleting) {
    List c;
    Box a, b, d;
    c.add(&a);
    c.add(&b);
    c.add(&d);
    c.clear();
    expectList(c, {});
    expectDetached(a);
    expectDetached(b);
    expectDetached(d);
    c.add(&b); // the list is usable again
    expectList(c, {&b});
}

TEST(Container, DestructorsUnlink) {
    List c;
    Box a, d;
    c.add(&a);
    {
        Box b;
        c.add(&b);
        c.add(&d);
        expectList(c, {&a, &b, &d});
    } // b's destructor unlinks it
    expectList(c, {&a, &d});

    Box kept;
    {
        List scoped;
        scoped.add(&kept);
    } // a container's destructor detaches its children
    expectDetached(kept);
    c.add(&kept);
    expectList(c, {&a, &d, &kept});
}

TEST(Container, GroupCannotHoldItself) {
    Group g;
    Box a;
    g.add(&a);
    g.add(&g);
    g.insertAfter(&g, &a);
    g.insertBefore(&g, &a);
    expectList(g, {&a});
    expectDetached(g);

    List scene;
    scene.add(&g);
    g.remove(&g); // the group as its own child: not a child, nothing happens
    expectList(scene, {&g});
    expectList(g, {&a});
}

TEST(Container, DeletingAGroupLeavesItsChildrenDetachedButAlive) {
    List scene;
    Box a, b;
    Group* g = new Group();
    scene.add(g);
    g->add(&a);
    g->add(&b);
    delete g;
    expectList(scene, {});
    expectDetached(a);
    expectDetached(b);
    scene.add(&a);
    expectList(scene, {&a});
}
