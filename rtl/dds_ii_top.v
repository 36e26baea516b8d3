// dds_ii top level: turns the generated defines into the port list and the
// parameters of dds_ii_core. The module takes the user's name from
// top_define.vh; everything else comes from dds_ii_top_defines.vh.
`include "top_define.vh"
`include "dds_ii_top_defines.vh"

`ifndef DEFINE_TRUNC_WIDTH
`define DEFINE_TRUNC_WIDTH 0
`endif
`ifndef DEFINE_DELAY
`define DEFINE_DELAY 0
`endif

// Streamed increments or offsets share phase_valid_i and its framing.
`ifdef PHASEINC_EN
`define DDS_II_STREAMED
`elsif PHASEOFF_EN
`define DDS_II_STREAMED
`endif

// Top index of chan_id_o: enough bits to count DEFINE_CH_NUM channels.
`define DDS_II_CHAN_ID_MSB ((`DEFINE_CH_NUM > 8) ? 3 : (`DEFINE_CH_NUM > 4) ? 2 : (`DEFINE_CH_NUM > 2) ? 1 : 0)

// The module is named by the user, not after this file.
/* verilator lint_off DECLFILENAME */
module `module_name (
    input  wire                              clk_i,
    input  wire                              rst_n_i,
`ifdef PHASE_EN
    input  wire                              phase_valid_i,
`endif
`ifdef PHASEIN_EN
    input  wire [`DEFINE_PHASE_WIDTH-1:0]    phase_i,
`endif
`ifdef PHASEINC_EN
    input  wire [`DEFINE_PHASE_WIDTH-1:0]    phase_inc_i,
`ifdef PHASERESYNC
    input  wire                              phase_resync_i,
`endif
`endif
`ifdef PHASEOFF_EN
    input  wire [`DEFINE_PHASE_WIDTH-1:0]    phase_off_i,
`endif
`ifdef DDS_II_STREAMED
`ifdef MULTI_CHANNEL
    input  wire                              phase_tlast_i,
    output wire                              phase_tlast_missing_o,
    output wire                              phase_tlast_unexpected_o,
`endif
`endif
`ifdef CONFIG_EN
    input  wire                              config_valid_i,
`endif
`ifdef CONFIGINC_EN
    input  wire [`DEFINE_PHASE_WIDTH-1:0]    config_inc_i,
`endif
`ifdef CONFIGOFF_EN
    input  wire [`DEFINE_PHASE_WIDTH-1:0]    config_off_i,
`endif
`ifdef CONFIG_EN
`ifdef MULTI_CHANNEL
    input  wire                              config_tlast_i,
    output wire                              config_tlast_missing_o,
    output wire                              config_tlast_unexpected_o,
`endif
`endif
`ifdef PHASE_OUT
    output wire [`DEFINE_PHASE_WIDTH-1:0]    phase_out_o,
`endif
`ifdef COSSINE_OUT
    output wire [`DEFINE_OUTPUT_WIDTH-1:0]   cosine_o,
`endif
`ifdef SINE_OUT
    output wire [`DEFINE_OUTPUT_WIDTH-1:0]   sine_o,
`endif
`ifdef CHANID_OUT
`ifdef MULTI_CHANNEL
    output wire [`DDS_II_CHAN_ID_MSB:0]      chan_id_o,
`endif
`endif
    output wire                              data_valid_o
);

    localparam P = `DEFINE_PHASE_WIDTH;
    localparam W = `DEFINE_OUTPUT_WIDTH;
    localparam CIW = `DDS_II_CHAN_ID_MSB + 1;

`ifdef CONFIGINC_EN
    localparam INC_MODE = 1;
`elsif PHASEINC_EN
    localparam INC_MODE = 2;
`else
    localparam INC_MODE = 0;
`endif

`ifdef CONFIGOFF_EN
    localparam OFF_MODE = 2;
`elsif PHASEOFF_EN
    localparam OFF_MODE = 3;
`else
    localparam OFF_MODE = (`DEFINE_POFF_TYPE == "Fixed") ? 1 : 0;
`endif

`ifdef PHASERESYNC
    localparam RESYNC = (INC_MODE == 2) ? 1 : 0;
`else
    localparam RESYNC = 0;
`endif

    // Initial increments and offsets of channels 0..15, channel 0 in the low bits.
    localparam [16*P-1:0] INC_INIT = {
        `DEFINE_PINCF_INIT, `DEFINE_PINCE_INIT, `DEFINE_PINCD_INIT, `DEFINE_PINCC_INIT,
        `DEFINE_PINCB_INIT, `DEFINE_PINCA_INIT, `DEFINE_PINC9_INIT, `DEFINE_PINC8_INIT,
        `DEFINE_PINC7_INIT, `DEFINE_PINC6_INIT, `DEFINE_PINC5_INIT, `DEFINE_PINC4_INIT,
        `DEFINE_PINC3_INIT, `DEFINE_PINC2_INIT, `DEFINE_PINC1_INIT, `DEFINE_PINC0_INIT};
    localparam [16*P-1:0] OFF_INIT = {
        `DEFINE_POFFF_INIT, `DEFINE_POFFE_INIT, `DEFINE_POFFD_INIT, `DEFINE_POFFC_INIT,
        `DEFINE_POFFB_INIT, `DEFINE_POFFA_INIT, `DEFINE_POFF9_INIT, `DEFINE_POFF8_INIT,
        `DEFINE_POFF7_INIT, `DEFINE_POFF6_INIT, `DEFINE_POFF5_INIT, `DEFINE_POFF4_INIT,
        `DEFINE_POFF3_INIT, `DEFINE_POFF2_INIT, `DEFINE_POFF1_INIT, `DEFINE_POFF0_INIT};

    // Inputs the configuration leaves out are tied off; outputs it leaves
    // out end in wires the synthesis removes.
    wire         phase_valid;
    wire [P-1:0] phase_in;
    wire [P-1:0] phase_inc;
    wire         phase_resync;
    wire [P-1:0] phase_off;
    wire         phase_tlast;
    wire         config_valid;
    wire [P-1:0] config_inc;
    wire [P-1:0] config_off;
    wire         config_tlast;

`ifdef PHASE_EN
    assign phase_valid = phase_valid_i;
`else
    assign phase_valid = 1'b0;
`endif
`ifdef PHASEIN_EN
    assign phase_in = phase_i;
`else
    assign phase_in = {P{1'b0}};
`endif
`ifdef PHASEINC_EN
    assign phase_inc = phase_inc_i;
`ifdef PHASERESYNC
    assign phase_resync = phase_resync_i;
`else
    assign phase_resync = 1'b0;
`endif
`else
    assign phase_inc = {P{1'b0}};
    assign phase_resync = 1'b0;
`endif
`ifdef PHASEOFF_EN
    assign phase_off = phase_off_i;
`else
    assign phase_off = {P{1'b0}};
`endif
`ifdef CONFIG_EN
    assign config_valid = config_valid_i;
`else
    assign config_valid = 1'b0;
`endif
`ifdef CONFIGINC_EN
    assign config_inc = config_inc_i;
`else
    assign config_inc = {P{1'b0}};
`endif
`ifdef CONFIGOFF_EN
    assign config_off = config_off_i;
`else
    assign config_off = {P{1'b0}};
`endif

    wire           phase_tlast_missing, phase_tlast_unexpected;
    wire           config_tlast_missing, config_tlast_unexpected;
    wire [P-1:0]   phase_out;
    wire [W-1:0]   sine, cosine;
    wire [CIW-1:0] chan_id;

`ifdef MULTI_CHANNEL
`ifdef DDS_II_STREAMED
    assign phase_tlast = phase_tlast_i;
    assign phase_tlast_missing_o = phase_tlast_missing;
    assign phase_tlast_unexpected_o = phase_tlast_unexpected;
`else
    assign phase_tlast = 1'b0;
`endif
`ifdef CONFIG_EN
    assign config_tlast = config_tlast_i;
    assign config_tlast_missing_o = config_tlast_missing;
    assign config_tlast_unexpected_o = config_tlast_unexpected;
`else
    assign config_tlast = 1'b0;
`endif
`else
    assign phase_tlast = 1'b0;
    assign config_tlast = 1'b0;
`endif

`ifdef PHASE_OUT
    assign phase_out_o = phase_out;
`endif
`ifdef COSSINE_OUT
    assign cosine_o = cosine;
`endif
`ifdef SINE_OUT
    assign sine_o = sine;
`endif
`ifdef CHANID_OUT
`ifdef MULTI_CHANNEL
    assign chan_id_o = chan_id;
`endif
`endif

    // Outputs a configuration does not bring out (lint: deliberately unread).
    wire unused_outputs = &{1'b0, phase_tlast_missing, phase_tlast_unexpected,
                            config_tlast_missing, config_tlast_unexpected,
                            phase_out, sine, cosine, chan_id};

    dds_ii_core #(
        .P(P),
        .W(W),
        .T(`DEFINE_TRUNC_WIDTH),
        .NCH(`DEFINE_CH_NUM),
        .CIW(CIW),
        .DELAY(`DEFINE_DELAY),
        .WORKMODE(`DEFINE_WORKMODE),
        .DITHER((`DEFINE_PHASE_DITHER == "YES") ? 1 : 0),
        .TAYLOR((`DEFINE_TAYLOR_CORR == "YES") ? 1 : 0),
        .INC_MODE(INC_MODE),
        .OFF_MODE(OFF_MODE),
        .RESYNC(RESYNC),
        .INC_INIT(INC_INIT),
        .OFF_INIT(OFF_INIT),
        .LUT_FILE(`DEFINE_FILENAME)
    ) core (
        .clk(clk_i),
        .rst_n(rst_n_i),
        .phase_valid(phase_valid),
        .phase_in(phase_in),
        .phase_inc(phase_inc),
        .phase_resync(phase_resync),
        .phase_off(phase_off),
        .phase_tlast(phase_tlast),
        .config_valid(config_valid),
        .config_inc(config_inc),
        .config_off(config_off),
        .config_tlast(config_tlast),
        .phase_tlast_missing(phase_tlast_missing),
        .phase_tlast_unexpected(phase_tlast_unexpected),
        .config_tlast_missing(config_tlast_missing),
        .config_tlast_unexpected(config_tlast_unexpected),
        .phase_out(phase_out),
        .sine(sine),
        .cosine(cosine),
        .chan_id(chan_id),
        .data_valid(data_valid_o)
    );

endmodule

`undef DDS_II_CHAN_ID_MSB
`ifdef DDS_II_STREAMED
`undef DDS_II_STREAMED
`endif
