// Parameter lists made from a member's parameter types (up to six), for the
// classes made from the interface list.
#pragma once

// Parameter lists of up to six parameters, named p1..p6.
#define QN_COUNT(...) QN_COUNT_(__VA_ARGS__ __VA_OPT__(, ) 6, 5, 4, 3, 2, 1, 0)
#define QN_COUNT_(_1, _2, _3, _4, _5, _6, N, ...) N
#define QN_CAT(a, b) QN_CAT_(a, b)
#define QN_CAT_(a, b) a##b
#define QN_P_0()
#define QN_P_1(a) a p1
#define QN_P_2(a, b) a p1, b p2
#define QN_P_3(a, b, c) a p1, b p2, c p3
#define QN_P_4(a, b, c, d) a p1, b p2, c p3, d p4
#define QN_P_5(a, b, c, d, e) a p1, b p2, c p3, d p4, e p5
#define QN_P_6(a, b, c, d, e, f) a p1, b p2, c p3, d p4, e p5, f p6
#define QN_A_0()
#define QN_A_1(a) , p1
#define QN_A_2(a, b) , p1, p2
#define QN_A_3(a, b, c) , p1, p2, p3
#define QN_A_4(a, b, c, d) , p1, p2, p3, p4
#define QN_A_5(a, b, c, d, e) , p1, p2, p3, p4, p5
#define QN_A_6(a, b, c, d, e, f) , p1, p2, p3, p4, p5, p6
#define QN_PARAMS(...) QN_CAT(QN_P_, QN_COUNT(__VA_ARGS__))(__VA_ARGS__)
#define QN_ARGS(...) QN_CAT(QN_A_, QN_COUNT(__VA_ARGS__))(__VA_ARGS__)
